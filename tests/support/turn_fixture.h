// A fixture for tests of whole turns: a fresh engine, numbered texts, the synthetic game with the
// Union person-played, its menus as after a load, and a folder of its own as the current folder
// (the game writes its "Autosave" there).
#pragma once

#include <optional>
#include <string>

#include "tests/support/engine_fixture.h"
#include "tests/support/synthetic_game.h"

namespace kvt::testing {

class TurnTest : public EngineTest {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string Path(const std::string& name) const { return folder + "/" + name; }

    std::string folder;
    std::optional<CurrentFolder> inFolder;
};

}  // namespace kvt::testing
