// The upkeep, the force recount and the command clean-up against their plain readings on small
// worlds built for the moments whole campaigns seldom reach: formations one after another in one
// call, corps at the edge of the odds window, a leader named by several records at once.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/forces/force_recount.h"
#include "engine/logistics/upkeep.h"
#include "engine/turn/turn_start.h"
#include "engine/world/globals.h"
#include "engine/world/map_grid.h"
#include "engine/world/random.h"
#include "tests/engine/home_front_world.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

// What a saved game carries after a pass, and the generator it leaves.
struct TAfter {
    std::vector<std::uint8_t> record, map;
    std::uint64_t generator = 0;
};

class FastPasses : public testing::HomeFrontTest {
protected:
    void SetUp() override {
        HomeFrontTest::SetUp();
        fe.AllowAnyWaits(true);
    }
    TAfter Run(void (*pass)(), std::uint64_t seed) {
        *GameRec = *record;
        *MapGrid = *map;
        SetRandomSeed(seed);
        pass();
        const auto* r = reinterpret_cast<const std::uint8_t*>(GameRec);
        const auto* m = reinterpret_cast<const std::uint8_t*>(MapGrid);
        return {{r, r + sizeof(TGameRec)}, {m, m + sizeof(TMapGrid)}, GetRandomState().state};
    }
    // Runs both readings from the world as built; the fast one's world is left for further checks.
    void ExpectSame(void (*fast)(), void (*plain)(), std::uint64_t seed = 1) {
        *record = *GameRec;
        *map = *MapGrid;
        const TAfter b = Run(plain, seed);
        const TAfter a = Run(fast, seed);
        EXPECT_EQ(a.record.size(), b.record.size());
        for (std::size_t i = 0; i < a.record.size(); ++i)
            if (a.record[i] != b.record[i]) {
                ADD_FAILURE() << testing::RecordByte(i) << ": " << int(a.record[i]) << " fast, " << int(b.record[i]) << " plain";
                break;
            }
        EXPECT_TRUE(a.map == b.map) << "the map differs";
        EXPECT_EQ(a.generator, b.generator) << "the draws differ";
    }
    int CorpsOf(int n) const {
        int count = 0;
        for (const TCorpsRec& c : G().Corps) count += CorpsInUse(c) && c.Nation == n;
        return count;
    }
    std::unique_ptr<TGameRec> record = std::make_unique<TGameRec>();
    std::unique_ptr<TMapGrid> map = std::make_unique<TMapGrid>();
    testing::ScriptedFrontend fe;
};

// Union brigades 20.. wait in Maryland; the Confederate corps stand far off and the Union corps
// are full, so only the new formations take them. Empty brigades make a formation that fails.
TEST_F(FastPasses, UpkeepFormationsInOneCallEachSeeWhatTheOneBeforeTook) {
    // Formations a theatre can make from what waits: rounds go on while the draws allow, so the
    // longer cases name the fewest and the most. A division takes 3, a corps 6 and a battery.
    struct Case { const char* what; int empty, infantry, artillery, cavalry; std::uint64_t seed; int fewest, most; };
    const Case cases[] = {
        {"a division leaves 2 of 5, too few for a second", 0, 5, 0, 0, 1, 1, 1},
        {"a corps and a division in one round, one more division in the next", 0, 12, 1, 0, 2, 3, 3},
        {"divisions round after round", 0, 11, 0, 0, 3, 2, 3},
        {"empty brigades fail a division, then cavalry forms one", 3, 2, 0, 2, 4, 1, 1},
        {"a corps of empty and full brigades, then a division of the rest", 3, 6, 1, 0, 5, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        AllowDrawsPastScript();
        for (int k : {3, 4}) G().Corps[k].HexY = 52;
        for (int k : {1, 2}) G().Corps[k].LineCount = 6;
        G().Cities[1].Garrison = 9;  // the capital asks for nobody
        // Theatres without a Union city are never the short one.
        G().Nations[1].CorpsInTheatre[2] = G().Nations[1].CorpsInTheatre[3] = 40;
        int i = 20;
        for (int e = 0; e < c.empty; ++e) Brigade(i++, 1, kBrigadeInfantry, 0, kAttachWaiting, 0, 3);
        for (int e = 0; e < c.infantry; ++e) Brigade(i++, 1, kBrigadeInfantry, 80, kAttachWaiting, 0, 3);
        for (int e = 0; e < c.artillery; ++e) Brigade(i++, 1, kBrigadeArtillery, 16, kAttachWaiting, 0, 3);
        for (int e = 0; e < c.cavalry; ++e) Brigade(i++, 1, kBrigadeCavalry, 60, kAttachWaiting, 0, 3);
        for (int l = 13; l <= 20; ++l) {
            G().Leaders[l] = G().Leaders[3];
            G().Leaders[l].Name = "Leader " + std::to_string(l);
        }
        const int before = CorpsOf(1);
        ExpectSame(ComputerSideUpkeep, ComputerSideUpkeepFullRescan, c.seed);
        const int formed = CorpsOf(1) - before;
        EXPECT_TRUE(formed >= c.fewest && formed <= c.most) << formed << " formed";
    }
}

// Corps 1 (Union) stands at column x; Confederate corps 3 stands dx columns and dy rows off. A hex
// distance of 2 still counts toward the odds, 3 does not; how far a row reaches depends on whether
// the column is odd or even.
TEST_F(FastPasses, RecountOddsHoldAtTheEdgeOfTheColumnWindow) {
    struct Case { int x, dx, dy; };
    const Case cases[] = {{20, 2, 0}, {21, 2, 0}, {20, -2, 1}, {21, -2, -1}, {20, 2, -1}, {21, 2, 1},
                          {20, 3, 0}, {21, -3, 0}, {1, 2, 0},   {44, 2, 1},   {45, -2, 0}, {21, 1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "column " << c.x << ", " << c.dx << " columns and " << c.dy << " rows off");
        SetUp();
        TGameRec& g = G();
        auto place = [&](int k, int x, int y) { g.Corps[k].HexX = static_cast<U8>(x), g.Corps[k].HexY = static_cast<U8>(y); };
        place(1, c.x, 20);
        place(3, c.x + c.dx, 20 + c.dy);
        // A friend mirrored across, where the map has room for him.
        if (c.x - c.dx >= 1) place(2, c.x - c.dx, 20 - c.dy);
        else place(2, c.x, 50);
        g.Corps[4].HexY = 50;
        ExpectSame(RecountForces, RecountForcesFullRescan);
    }
}

// Armies 1 and 2 of the Union and army 3 of the Confederacy hold corps standing in columns apart; a
// corps without a leader near a base ends in the recount and must not weigh on its army's value.
TEST_F(FastPasses, RecountArmyValuesWhenArmiesShareCorpsAcrossColumns) {
    struct Case { const char* what; int leaderless; std::array<int, 4> army, x; };
    const Case cases[] = {
        {"each army's corps in its own columns", 0, {1, 2, 3, 3}, {38, 43, 40, 45}},
        {"one army's corps on both sides of another's", 0, {1, 2, 1, 3}, {36, 40, 44, 41}},
        {"a leaderless corps beside the bases", 2, {1, 1, 3, 3}, {40, 41, 42, 40}},
        {"an army whose only corps ends", 4, {1, 2, 3, 2}, {39, 40, 42, 43}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        TGameRec& g = G();
        for (int a = 1; a <= 3; ++a) {
            TArmyRec& army = g.Armies[a];
            army.Nation = army.Side = static_cast<U8>(a == 3 ? 2 : 1);
            army.BaseCity = static_cast<U8>(a == 3 ? 4 : a == 1 ? 1 : 5);
            army.Leader = static_cast<U8>(a == 3 ? 9 : a + 2);
        }
        for (int k = 1; k <= 4; ++k) {
            TCorpsRec& corps = g.Corps[k];
            corps.Army = static_cast<U8>(c.army[k - 1]);
            corps.HexX = static_cast<U8>(c.x[k - 1]), corps.HexY = static_cast<U8>(20 + 2 * k);
        }
        if (c.leaderless != 0) g.Corps[c.leaderless].Leader = 0;
        ExpectSame(RecountForces, RecountForcesFullRescan);
    }
}

// Union leaders 3 to 6 head corps 5 to 10 and armies 1 and 2 in the ways a pass meets seldom.
TEST_F(FastPasses, CleanUpOfALeaderNamedBySeveralRecordsAtOnce) {
    struct Command { bool army; int slot, leader; };
    struct Case { const char* what; std::vector<Command> commands; int killed, captured; };
    const Case cases[] = {
        {"two corps", {{false, 5, 3}, {false, 9, 3}}, 0, 0},
        {"three corps, the middle one of another", {{false, 5, 3}, {false, 6, 4}, {false, 7, 3}, {false, 10, 3}}, 0, 0},
        {"an army and a corps", {{true, 1, 4}, {false, 8, 4}}, 0, 0},
        {"two armies and two corps", {{true, 1, 5}, {false, 6, 5}, {true, 2, 5}, {false, 9, 5}}, 0, 0},
        {"killed at the head of an army and a corps", {{true, 2, 6}, {false, 7, 6}, {false, 8, 3}}, 6, 0},
        {"captured with two corps", {{false, 5, 4}, {false, 10, 4}, {false, 6, 3}, {false, 7, 3}}, 0, 4},
        {"an army leader's corps lose him, the next man's stay",
         {{true, 1, 3}, {false, 5, 3}, {false, 6, 3}, {false, 7, 4}, {false, 8, 4}}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        TGameRec& g = G();
        for (const Command& m : c.commands) {
            if (m.army) {
                TArmyRec& a = g.Armies[m.slot];
                a.Nation = a.Side = 1, a.BaseCity = 1, a.Leader = static_cast<U8>(m.leader), a.Name = "Army";
                g.Corps[m.slot].Army = static_cast<U8>(m.slot);
                continue;
            }
            TCorpsRec& k = g.Corps[m.slot];
            k = g.Corps[1];
            k.Leader = static_cast<U8>(m.leader), k.HexX = static_cast<U8>(30 + m.slot), k.HexY = 10;
            Brigade(10 + m.slot, 1, kBrigadeInfantry, 80, kAttachCorps, m.slot, 1);
        }
        if (c.killed) g.Leaders[c.killed].Status = kLeaderKilled;
        if (c.captured) g.Leaders[c.captured].Status = kLeaderCaptured;
        ExpectSame(CommandCleanUp, CommandCleanUpFullRescan);
        for (const Command& m : c.commands)
            if (m.leader == c.killed || m.leader == c.captured)
                EXPECT_NE(m.army ? g.Armies[m.slot].Leader : g.Corps[m.slot].Leader, m.leader) << "slot " << m.slot;
    }
}

}  // namespace
}  // namespace kvt
