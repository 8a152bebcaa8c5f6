// Army operations of a computer nation: once per turn every army gathers nearby corps, is
// abandoned when it has fewer than two, takes a stance from its score, chooses its objective and
// second target, and sends its corps to defend, attack or garrison the cities of a small target
// table. Distances are in hexes, strengths in units of 50 men. Only the abandonment message waits.
#pragma once

#include <array>
#include <cstdint>

#include "engine/world/record_types.h"

namespace kvt {

class TAroundTallies;

// One city an army may send corps to; rebuilt for every army, read by nothing else.
struct TTargetRow {
    std::uint16_t City, X, Y;
    std::uint16_t Value;          // the city's value; 0 once the row has been dealt with
    std::uint16_t NearestEnemy;   // hexes to the nearest enemy corps
    std::uint16_t EnemyStrength;  // enemy strength still to be matched
    std::uint16_t NearestOwn;
    std::uint16_t OwnStrength;
    std::uint16_t Garrison;       // strength of the city's garrison brigades
};
constexpr int kTargetRows = 8;
extern Arr1<TTargetRow, kTargetRows> TargetTable;

// A city choice of the defence and attack choosers: the best and second best, each with its
// distance and score.
struct TCityChoice {
    int Best = 0, BestDistance = 100, BestScore = 0;
    int Second = 0, SecondDistance = 100, SecondScore = 0;
};

// Every army of the nation with corps and a theatre.
void RunArmyOperations(int nation);
// The same operations sweeping every corps slot for each army: the reference the tests hold
// RunArmyOperations to.
void RunArmyOperationsFullRescan(int nation);

// The computer players' tally around a city (TallyForcesNearCity's AroundCity variant): answers
// the nearest own-side corps without a plan within twice the range and fills NearestEnemyDist.
int TallyAroundCity(int city, int nation, int range);
// False when another army of the side has the city as its objective or base.
bool OnlyArmyTargeting(int side, int army, int city);
// Hexes from the corps to the nearest corps of another side; 100 when there is none.
int NearestEnemyDistanceOf(int corps);

// Men of the garrison brigades by the city they serve, counted once: the armies' operations move
// no brigade, so one count serves every army's target rows.
class TGarrisonMen {
public:
    TGarrisonMen();
    std::uint16_t Of(int city) const;

private:
    std::array<long, 256> men_{};
};

void ClearTargetTable();
// Counts the city's garrison itself; the second form reads it from the count, the third also
// tallies the corps from tallies kept while they stand as they do.
void FillTargetRow(int row, int nation, int city, int range);
void FillTargetRow(int row, int nation, int city, int range, const TGarrisonMen& garrisons);
void FillTargetRow(int row, int nation, int city, int range, const TGarrisonMen& garrisons, TAroundTallies& tallies);
// Adds up to 8 rows of held cities lying near both the base and the last row; answers the rows.
int AddNearbyTargetRows(int nation, int rows, int army, const TGarrisonMen& garrisons, TAroundTallies& tallies);
// The row of highest value the army may take on for the side: mode 1 only rows with enemy
// strength left. 0 when none.
int PickTargetRow(int side, int army, int mode);
// Sends the army's waiting corps within maxDistance of the row's city there until its enemy
// strength is matched or the army has no corps left to give.
void AssignCorpsToRow(int nation, int army, int row, int maxDistance);
// Defence of own cities, attack (stance 2), then garrisons. Sending corps moves none, so the
// tallies kept before still hold.
void DistributeArmyCorps(int nation, int army, TAroundTallies& tallies);

// The steps of RunArmyOperations, on one army.
void GatherArmyCorps(int army);
void SetArmyCorpsOrders(int army);
// stanceFromScore is the stance the army's score gave this turn (0..2): a city without a rail
// station qualifies for defence only while it is not 0.
TCityChoice ChooseDefenceCities(int army, int x, int y, int stanceFromScore);
TCityChoice ChooseAttackCities(int army, int x, int y);

}  // namespace kvt
