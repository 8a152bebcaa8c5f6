// The 1863 start point played to its end with the computer on both sides: every turn leaves a
// sound game, the election is counted once, on 1 November 1864, and the campaign ends at its date.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/players/election.h"
#include "engine/turn/automatic_frontend.h"
#include "engine/turn/game_load.h"
#include "engine/turn/headless_turns.h"
#include "engine/world/calendar.h"
#include "engine/world/frontend.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "engine/world/random.h"
#include "tests/support/turn_fixture.h"

namespace kvt {
namespace {

class ElectionWatch : public AutomaticFrontend {
public:
    void ShowElection(TElectionCount& count) override {
        dates.push_back(DateText());
        AutomaticFrontend::ShowElection(count);
    }
    std::vector<std::string> dates;
};

class Campaign1863 : public testing::TurnTest {};

constexpr std::uint64_t kSeedToTheEnd = 1;

TEST_F(Campaign1863, ThePlayGoesThroughTheElectionToTheEndOfTheCampaign) {
    // A seed whose war lasts to its end date (under others the Confederacy may give up first).
    SetRandomSeed(kSeedToTheEnd);
    const std::string start = testing::GameFile("1863.kvt");
    std::string why;
    ASSERT_TRUE(ReadGameImages(start, *GameRec, *MapGrid, &why)) << why;
    ElectionWatch fe;
    InstallFrontend(&fe);
    ASSERT_TRUE(HandGameToComputer());
    BringGameIntoPlay(start);
    int turns = 0;
    while (GameStatus == 0 && turns < 100) {
        ASSERT_TRUE(PlayHeadlessTurn()) << DateText();
        ++turns;
        ASSERT_EQ(CheckedAccessFaults(), 0u) << DateText();
        ASSERT_EQ(ValidateGameImages(*GameRec, *MapGrid), "") << DateText();
    }
    InstallFrontend(nullptr);
    EXPECT_EQ(GameStatus, 1);
    EXPECT_EQ(fe.dates, std::vector<std::string>{"Nov 1 1864"});
    EXPECT_LE(GameRec->Year, 1865);
}

}  // namespace
}  // namespace kvt
