// Whole turns of land movement: on the 1861 start point every corps of both sides is planned and
// moved for nine steps within the rules (the same seed giving the same turns is the runner's test).
#include <gtest/gtest.h>

#include "engine/movement/corps_movement.h"
#include "engine/world/globals.h"
#include "engine/world/random.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/movement_campaign.h"

namespace kvt {
namespace {

using testing::EngineTest;

class MovementTurn : public EngineTest {
protected:
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

}  // namespace
}  // namespace kvt
