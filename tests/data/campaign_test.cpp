// Whole campaigns of the three start points with the computer on both sides, twenty seeds each (two
// in the sanitizer build), to the end or a capitulation: the campaign's invariants hold after every
// turn, after the computer players plan and after assigned corps embark; every run fights battles
// and cities change hands; a seed fixes the whole war, saves included. Each run's outcome, its
// battles, the cities each side took and the turns each plan spent at work are printed.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/turn/automatic_frontend.h"
#include "engine/turn/campaign_checks.h"
#include "engine/turn/engine_reset.h"
#include "engine/turn/game_load.h"
#include "engine/turn/headless_turns.h"
#include "engine/world/frontend.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "engine/world/random.h"
#include "tests/support/turn_fixture.h"

namespace kvt {
namespace {

#ifdef KVT_SANITIZED_BUILD
constexpr int kSeeds = 2;
#else
constexpr int kSeeds = 20;
#endif
constexpr int kPlanSlots[] = {1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14};

struct TRun {
    std::string summary, winner, broken;
    std::vector<std::uint64_t> checksums;
    std::vector<char> save;
    int battles = 0;
    std::array<int, 3> taken{};                 // cities taken by side 1 and 2
    std::array<int, kPlanCount + 1> working{};  // turns each plan ended outside state 0
};

// Nobody at the screen; field battles and fort assaults are counted as their dialogs would open.
class BattleCount : public AutomaticFrontend {
public:
    void RunCombatResolution(TCombatResolution& dialog) override {
        ++battles;
        AutomaticFrontend::RunCombatResolution(dialog);
    }
    void RunFortAssault(TFortAssault& dialog) override {
        ++battles;
        AutomaticFrontend::RunFortAssault(dialog);
    }
    int battles = 0;
};

class Campaign : public testing::TurnTest, public ::testing::WithParamInterface<const char*> {
protected:
    TRun Play(const std::string& year, std::uint64_t seed) {
        TRun run;
        BattleCount frontend;
        InstallFrontend(&frontend);
        ResetEngineGlobals();
        UseClockForRandomize(false);
        SetRandomSeed(seed);
        const std::string start = testing::GameFile(year + ".kvt");
        if (!ReadGameImages(start, *GameRec, *MapGrid, &run.broken) || !HandGameToComputer()) return run;
        BringGameIntoPlay(start);
        TCampaignChecks checks;
        checks.Begin();
        std::ostringstream lines;
        for (int turn = 0; GameStatus == 0 && checks.Broken().empty() && turn < kTurnsToTheEnd; ++turn) {
            std::array<int, kCityCount + 1> owners{};
            for (int c = 1; c <= kCityCount; ++c) owners[c] = GameRec->Cities[c].Owner;
            if (PlayHeadlessTurns(1, lines, false, &checks) != 1) {
                run.broken = "a turn did not run to its end";
                break;
            }
            run.checksums.push_back(GameChecksum());
            for (int c = 1; c <= kCityCount; ++c) {
                const int owner = GameRec->Cities[c].Owner;
                if (owner != owners[c] && (owner == kUnion || owner == kConfederacy)) ++run.taken[owner];
            }
            for (int p : kPlanSlots) run.working[p] += GameRec->Plans[p].PlanState != 0;
        }
        checks.End();
        run.battles = frontend.battles;
        if (run.broken.empty()) run.broken = checks.Broken();
        run.summary = CampaignSummaryLine();
        run.winner = Winner();
        if (SaveGameFiles(Path("end"))) {
            run.save = testing::FileBytes(Path("end.KVT"));
            const std::vector<char> map = testing::FileBytes(Path("end.KVM"));
            run.save.insert(run.save.end(), map.begin(), map.end());
        }
        InstallFrontend(nullptr);
        return run;
    }
};

TEST_P(Campaign, EveryRunKeepsItsInvariantsFightsBattlesAndTakesCities) {
    const std::string year = GetParam();
    int unionWins = 0;
    std::array<int, kPlanCount + 1> working{};
    for (int seed = 1; seed <= kSeeds; ++seed) {
        SCOPED_TRACE(year + " seed " + std::to_string(seed));
        const TRun run = Play(year, static_cast<std::uint64_t>(seed));
        ASSERT_EQ(run.broken, "");
        EXPECT_NE(GameStatus, 0) << "the campaign reached its end";
        EXPECT_GT(run.battles, 0);
        EXPECT_GT(run.taken[kUnion] + run.taken[kConfederacy], 0) << "no city changed hands";
        if (seed == 1) {
            const TRun again = Play(year, 1);
            EXPECT_EQ(again.checksums, run.checksums);
            EXPECT_TRUE(!run.save.empty() && again.save == run.save) << "the same seed saved another game";
        }
        unionWins += run.winner == "Union";
        std::ostringstream plans;
        for (int p : kPlanSlots) {
            plans << ' ' << p << ':' << run.working[p];
            working[p] += run.working[p];
        }
        std::cout << "[ campaign ] " << year << " seed " << seed << ": " << run.summary << "  battles "
                  << run.battles << "  taken U " << run.taken[kUnion] << " C " << run.taken[kConfederacy]
                  << "  plans at work" << plans.str() << '\n';
    }
    std::ostringstream idle;
    for (int p : kPlanSlots)
        if (working[p] == 0) idle << ' ' << p;
    std::cout << "[ campaign ] " << year << ": the Union won " << unionWins << " of " << kSeeds
              << " runs; plans never at work:" << (idle.str().empty() ? " none" : idle.str()) << '\n';
}

INSTANTIATE_TEST_SUITE_P(StartPoints, Campaign, ::testing::Values("1861", "1862", "1863"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string("Year") + info.param; });

}  // namespace
}  // namespace kvt
