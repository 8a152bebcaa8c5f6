// Fleets under way: a patrol turning toward an enemy fleet it meets, and a carried corps riding
// and resting aboard.
#include <gtest/gtest.h>

#include "engine/core/corps_movement.h"
#include "engine/logistics/fleet_movement.h"
#include "tests/engine/naval_world.h"

namespace kvt {
namespace {

using testing::Ships;

class FleetInterception : public testing::NavalWorld {};

TEST_F(FleetInterception, APatrolTurnsTowardAnEnemyUnderWayWithOddsFallingWithDistance) {
    struct Case { const char* name; int distance, enemyMission, enemyNation, pathIndex, draw; bool draws, turns; };
    const Case cases[] = {
        {"same hex, 99 in 100", 0, kMissionMove, 2, 5, 1, true, true},
        {"same hex, the one miss", 0, kMissionMove, 2, 5, 0, true, false},
        {"one hex, 69 in 100", 1, kMissionMove, 2, 5, 31, true, true},
        {"one hex, a miss", 1, kMissionMove, 2, 5, 30, true, false},
        {"two hexes, 39 in 100", 2, kMissionCottonRun, 2, 5, 61, true, true},
        {"three hexes, 9 in 100", 3, kMissionPatrol, 2, 5, 91, true, true},
        {"three hexes, a miss", 3, kMissionPatrol, 2, 5, 90, true, false},
        {"four hexes is out of reach", 4, kMissionMove, 2, 5, 99, false, false},
        {"an enemy at rest", 1, kMissionNothing, 2, 5, 99, false, false},
        {"an enemy refitting", 1, kMissionRefit, 2, 5, 99, false, false},
        {"a neutral fleet", 1, kMissionMove, 3, 5, 99, false, false},
        {"late in the turn: the rest of the route is cleared, none copied", 3, kMissionMove, 2, 18, 91, true, true},
    };
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.name);
        const int patrol = AddFleet(1, 30, 30, kMissionPatrol, {0, 2, 0, 0, 0, 0});
        F(patrol).DestX = 10;
        F(patrol).PathIndex = static_cast<U8>(c.pathIndex);
        for (int k = 1; k <= 20; ++k) F(patrol).PlannedStep[k] = 1;
        const int enemy = AddFleet(c.enemyNation, 30, 30 + c.distance, c.enemyMission, {0, 1, 0, 0, 0, 0});
        const std::vector<int> script = c.draws ? std::vector<int>{c.draw} : std::vector<int>{};
        const std::vector<int> ranges = testing::DrawRanges(script, [&] { CheckFleetInterception(patrol); });
        EXPECT_EQ(!ranges.empty() && ranges.front() == 100, c.draws);
        const bool cleared = F(patrol).PlannedStep[c.pathIndex] != 1;
        EXPECT_EQ(cleared, c.turns);
        const bool chasing = F(patrol).DestX == 30 && F(patrol).DestY == F(enemy).HexY;
        EXPECT_EQ(chasing, c.turns && c.distance > 0) << "on the same hex the patrol keeps its destination";
        if (c.turns && c.distance > 0 && c.pathIndex + c.distance < 21) {
            for (int k = 0; k < c.distance; ++k) EXPECT_EQ(F(patrol).PlannedStep[c.pathIndex + k], 4) << "south";
            EXPECT_EQ(F(patrol).PlannedStep[c.pathIndex + c.distance], 0);
        }
        if (c.turns) EXPECT_EQ(F(patrol).PlannedStep[20], 0);
        EXPECT_EQ(F(patrol).PlannedStep[c.pathIndex - 1], 1) << "steps already sailed stay";
    }
}

TEST_F(FleetInterception, ACarriedCorpsRidesAndRestsAboardEveryCall) {
    const int k = AddCorps(1, 30, 30);
    C(k).OrderMode = kOrderEmbarked;
    C(k).Entrenchment = 2;
    C(k).Fatigue = 3;
    C(k).Disruption = 1;
    const int b = AddBrigade(k, kBrigadeInfantry, 80, 2, 2);
    const int f = AddFleet(1, 30, 30, kMissionMove, {0, 0, 2, 0, 0, 0});
    F(f).Cargo = static_cast<U8>(k);
    F(f).DestX = 30;
    F(f).DestY = 40;
    F(f).StepsAllowed = 20;
    F(f).PlannedStep[1] = 4;
    FleetMovementStep(f);
    EXPECT_EQ(At(k), P(30, 31));
    EXPECT_EQ(P(C(k).DestX, C(k).DestY), P(30, 40));
    EXPECT_EQ(C(k).Entrenchment, 0);
    EXPECT_EQ(C(k).Fatigue, 2);
    EXPECT_EQ(C(k).Disruption, 0);
    EXPECT_EQ(GameRec->Brigades[b].Fatigue, 1);
    FleetMovementStep(f);  // no step planned: the corps still rests
    EXPECT_EQ(At(k), P(30, 31));
    EXPECT_EQ(C(k).Fatigue, 1);
    EXPECT_EQ(F(f).PathIndex, 3) << "an unplanned step is used up";
}

}  // namespace
}  // namespace kvt
