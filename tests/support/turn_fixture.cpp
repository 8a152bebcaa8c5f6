// The turn fixture.
#include "tests/support/turn_fixture.h"

#include "engine/view/turn_menus.h"

namespace kvt::testing {

void TurnTest::SetUp() {
    EngineTest::SetUp();
    folder = TempFolder("turn");
    inFolder.emplace(folder);
    UseNumberedTexts();
    BuildSyntheticGame(true, false);
    SidePlayed = 1;
    EnableTurnMenus();
}

void TurnTest::TearDown() {
    inFolder.reset();
    EXPECT_EQ(CheckedAccessFaults(), 0u) << "a rule read or wrote past the end of a record array";
    EngineTest::TearDown();
}

}  // namespace kvt::testing
