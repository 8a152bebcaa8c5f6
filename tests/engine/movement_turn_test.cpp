// Whole turns of land movement: on the 1861 start point every corps of both sides is planned and
// moved for nine steps within the rules, and identical seeds give an identical turn.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/core/corps_movement.h"
#include "engine/core/globals.h"
#include "engine/core/random.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/movement_campaign.h"

namespace kvt {
namespace {

using testing::EngineTest;

class MovementTurn : public EngineTest {
protected:
    struct Snapshot {
        std::vector<std::uint8_t> record, map;
        bool operator==(const Snapshot&) const = default;
    };
    static Snapshot Take() {
        Snapshot s;
        const auto* r = reinterpret_cast<const std::uint8_t*>(GameRec);
        s.record.assign(r, r + sizeof(TGameRec));
        s.map.assign(MapGrid->bytes(), MapGrid->bytes() + kMapGridSize);
        return s;
    }
    // Every corps in use stands on enterable ground and moved at most one hex per step taken.
    static void ExpectCorpsMovedWithinTheRules(const char* where) {
        int moved = 0;
        for (int c = 1; c <= kCorpsCount; ++c) {
            const TCorpsRec& k = GameRec->Corps[c];
            if (!CorpsInUse(k) || k.Nation == 0 || k.OrderMode == kOrderEmbarked) continue;
            ASSERT_TRUE(OnMap(k.HexX, k.HexY)) << where << " corps " << c;
            const int terrain = MapGrid->Cell(k.HexX, k.HexY).Terrain();
            EXPECT_TRUE(terrain != kTerrainWater && terrain != kTerrainImpassable) << where << " corps " << c;
            EXPECT_LE(k.StepsTaken, 9) << where << " corps " << c;
            if (k.StepsTaken != 0) {
                ++moved;
                EXPECT_LE(HexDistance(k.StartX, k.StartY, k.HexX, k.HexY), k.StepsTaken) << where << " corps " << c;
            }
            EXPECT_LE(k.MarchAllowance, 250) << where << " corps " << c;
        }
        EXPECT_GT(moved, 5) << where << ": a turn in which nothing moves proves nothing";
    }
    static void ClearTurnMarks() {
        for (TCorpsRec& k : GameRec->Corps) {
            k.StepsTaken = 0;
            k.StartX = k.HexX;
            k.StartY = k.HexY;
        }
    }
};

TEST_F(MovementTurn, StartPointMovesEveryCorpsOfBothSidesForNineSteps) {
    if (!testing::LoadStartPoint("1861")) GTEST_SKIP() << "the 1861 start point is not built yet";
    ResetCheckedAccessFaults();
    for (TNationRec& n : GameRec->Nations) n.Human = 0;  // the computer's routes for every corps
    testing::OrderEveryCorpsForward();
    for (int turn = 1; turn <= 2; ++turn) {
        ClearTurnMarks();
        Randomize();
        testing::RunLandMovementTurn();
        ExpectCorpsMovedWithinTheRules("1861");
    }
    EXPECT_EQ(CheckedAccessFaults(), 0u);
}

TEST_F(MovementTurn, StartPointTurnIsIdenticalForIdenticalSeeds) {
    std::vector<Snapshot> runs;
    for (std::uint64_t seed : {2024, 2024, 2025}) {
        // The load draws too (weather, supply routes), so the seed is set before it.
        SetRandomSeed(seed);
        if (!testing::LoadStartPoint("1861")) GTEST_SKIP() << "the 1861 start point is not built yet";
        testing::OrderEveryCorpsForward();
        testing::RunLandMovementTurn();
        runs.push_back(Take());
    }
    EXPECT_TRUE(runs[0] == runs[1]);
    EXPECT_FALSE(runs[0] == runs[2]) << "another seed gives another turn";
}

}  // namespace
}  // namespace kvt
