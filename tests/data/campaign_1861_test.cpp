// Thirty computer turns of 1861 with every corps sent each turn on the nearest city the enemy holds:
// the world stays sound after every turn, territory and supply move, and a seed fixes the war. The
// battles are not fought yet, so cities fall only where no defender stands.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <iostream>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/turn/automatic_frontend.h"
#include "engine/turn/engine_reset.h"
#include "engine/turn/game_load.h"
#include "engine/turn/headless_turns.h"
#include "engine/turn/turn_report.h"
#include "engine/world/frontend.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "engine/world/random.h"
#include "engine/world/text_table.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/movement_campaign.h"
#include "tests/support/synthetic_game.h"

namespace kvt {
namespace {

constexpr int kMilledgeville = 33, kGeorgia = 29;

class Campaign1861 : public testing::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        ASSERT_TRUE(TextTable.LoadFromFile(testing::GameFile("KVT_ENG.TXT")));
        folder = testing::TempFolder("campaign");
        inFolder.emplace(folder);
    }
    void TearDown() override {
        InstallFrontend(nullptr);
        inFolder.reset();
        EngineTest::TearDown();
    }
    // The start point brought into play with the computer on both sides, as the runner does.
    void Start(std::uint64_t seed) {
        InstallFrontend(&frontend);
        ResetEngineGlobals();
        SetRandomSeed(seed);
        const std::string start = testing::GameFile("1861.kvt");
        std::string why;
        ASSERT_TRUE(ReadGameImages(start, *GameRec, *MapGrid, &why)) << why;
        ASSERT_TRUE(HandGameToComputer());
        BringGameIntoPlay(start);
    }
    // The first rule of a sound world the game in play breaks, or nothing.
    std::string FirstFault() {
        const TGameRec& g = *GameRec;
        if (CheckedAccessFaults() != 0) return "a record was read out of range";
        for (int k = 1; k <= kCorpsCount; ++k) {
            const TCorpsRec& c = g.Corps[k];
            if (!CorpsInUse(c)) continue;
            const std::string corps = "corps " + std::to_string(k);
            if (c.Leader == 0 || g.Leaders[c.Leader].Nation != c.Nation) return corps + " has no leader of its nation";
            if (!OnMap(c.HexX, c.HexY)) return corps + " stands off the map";
            if (c.HomeState < 1 || c.HomeState > kStateCount || c.Region < 1 || c.Region > kTheatreCount)
                return corps + " has no home state or theatre";
        }
        for (int i = 1; i <= kCityCount; ++i) {
            const TCityRec& c = g.Cities[i];
            if (c.Owner != g.Nations[c.Nation].Side)
                return c.Name.str() + " is held by side " + std::to_string(c.Owner) + " for nation " + std::to_string(c.Nation);
            int brigades = 0;
            for (const TBrigadeRec& b : g.Brigades) brigades += b.AttachKind == kAttachGarrison && b.AttachIndex == i;
            if (c.Garrison != brigades) return c.Name.str() + "'s garrison count is not its brigades";
        }
        if (!SaveGameFiles(folder + "/turn")) return "the game cannot be saved";
        auto rec = std::make_unique<TGameRec>();
        auto map = std::make_unique<TMapGrid>();
        std::string why;
        if (!ReadGameImages(folder + "/turn.KVT", *rec, *map, &why)) return "the saved game is refused: " + why;
        if (std::memcmp(rec.get(), GameRec, sizeof(TGameRec)) != 0 || std::memcmp(map.get(), MapGrid, sizeof(TMapGrid)) != 0)
            return "the saved game reads back otherwise";
        return {};
    }

    // What a run shows of the war, turn by turn.
    struct Run {
        std::vector<std::uint64_t> checksums;
        int cityChanges = 0;
        std::set<std::pair<int, int>> hexCounts;
        std::set<int> foraging;
    };
    Run Play(std::uint64_t seed, int turns) {
        Run run;
        Start(seed);
        std::array<int, kCityCount + 1> owners{};
        for (int c = 1; c <= kCityCount; ++c) owners[c] = GameRec->Cities[c].Owner;
        for (int t = 1; t <= turns; ++t) {
            SCOPED_TRACE("seed " + std::to_string(seed) + ", turn " + std::to_string(t));
            testing::OrderEveryCorpsForward();
            if (!PlayHeadlessTurn()) {
                ADD_FAILURE() << "the turn did not run to its end";
                break;
            }
            EXPECT_EQ(FirstFault(), "");
            run.checksums.push_back(GameChecksum());
            for (int c = 1; c <= kCityCount; ++c) {
                run.cityChanges += owners[c] != GameRec->Cities[c].Owner;
                owners[c] = GameRec->Cities[c].Owner;
            }
            const TTerritoryFigures f = CountTerritory();
            run.hexCounts.insert({f.hexes[kUnion], f.hexes[kConfederacy]});
            run.foraging.insert(f.corpsBySupply[2]);
        }
        return run;
    }

    AutomaticFrontend frontend;
    std::string folder;
    std::optional<testing::CurrentFolder> inFolder;
};

TEST_F(Campaign1861, ThirtyTurnsOfMarchingOnTheEnemyKeepTheWorldSoundAndASeedFixesTheWar) {
    const std::uint64_t seeds[] = {1861, 1862, 1863, 1861};
    std::vector<Run> runs;
    for (std::uint64_t seed : seeds) {
        runs.push_back(Play(seed, 30));
        const Run& r = runs.back();
        ASSERT_EQ(r.checksums.size(), 30u);
        EXPECT_GT(r.cityChanges, 0) << "seed " << seed << ": no city changed hands";
        EXPECT_GT(r.hexCounts.size(), 1u) << "seed " << seed << ": the front never moved";
        EXPECT_GT(r.foraging.size(), 1u) << "seed " << seed << ": no corps ever changed to or from foraging";
        std::cout << "[ campaign ] seed " << seed << ": " << r.cityChanges << " cities changed hands, last checksum "
                  << std::hex << r.checksums.back() << std::dec << "\n";
    }
    EXPECT_EQ(runs[0].checksums, runs[3].checksums) << "the same seed plays the same war";
    EXPECT_NE(runs[0].checksums.back(), runs[1].checksums.back()) << "another seed plays another war";
}

TEST_F(Campaign1861, ACorpsSentOntoAnUndefendedEnemyCapitalTakesCityAndState) {
    Start(1);
    int k = 1;
    while (!CorpsInUse(GameRec->Corps[k]) || GameRec->Corps[k].Nation != kNationUnion) ++k;
    TCorpsRec& c = GameRec->Corps[k];
    const TCityRec& capital = GameRec->Cities[kMilledgeville];
    ASSERT_EQ(capital.Garrison, 0);
    // Two hexes off, marching on it.
    int x = capital.HexX, y = capital.HexY;
    StepHexAt(x, y, 1);
    StepHexAt(x, y, 1);
    c.HexX = static_cast<U8>(x);
    c.HexY = static_cast<U8>(y);
    c.DestX = capital.HexX;
    c.DestY = capital.HexY;
    // A person plays the Union, so the computer does not give the corps other orders.
    TNationRec& player = GameRec->Nations[kNationUnion];
    player.Human = 1;
    for (int turn = 1; turn <= 4 && (c.HexX != capital.HexX || c.HexY != capital.HexY); ++turn) {
        player.OrdersGiven = 1;
        ASSERT_TRUE(PlayHeadlessTurn());
    }
    const TStateRec& georgia = GameRec->States[kGeorgia];
    EXPECT_EQ((std::array<int, 4>{capital.Owner, capital.Nation, georgia.ControlSide, georgia.Controller}),
              (std::array<int, 4>{kUnion, kNationUnion, kUnion, kNationUnion}));
    EXPECT_EQ(FirstFault(), "");
}

}  // namespace
}  // namespace kvt
