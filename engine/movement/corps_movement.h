// Corps movement: each turn every corps gets its march allowance and a route of up to nine steps,
// then moves one step per movement tick with terrain costs and reactions to the enemy.
// Never waits on the player: notices and the view go through the Frontend.
#pragma once

#include <cstdint>

#include "engine/world/map_grid.h"
#include "engine/world/record_types.h"

namespace kvt {

// Corps OrderMode values.
enum : std::uint8_t {
    kOrderWithdraw = 0, kOrderDefend = 1, kOrderAdvance = 2, kOrderPlan = 3, kOrderEmbarked = 4, kOrderRail = 5
};
// Corps Activity values: what the corps does this turn.
enum : std::uint8_t {
    kActivityMarch = 0, kActivityDisrupted = 1, kActivityResting = 2, kActivityRailed = 3,
    kActivityRailMoving = 4, kActivityDugIn = 5, kActivityTraining = 6, kActivityEmbarked = 7,
    kActivityFought = 8, kActivityStepping = 9
};
// Route entries are directions 1..6; 7 lets the corps choose its step itself.
constexpr std::uint8_t kRouteChooseStep = 7;
constexpr int kRouteLength = 9;
// RouteIndex of a corps with no step left this turn (after a rail move).
constexpr std::uint8_t kRouteFinished = 10;
// Corps Unused values: a freed slot and a corps destroyed (surrendered, lost at sea).
constexpr std::uint8_t kCorpsFreed = 1;
constexpr std::uint8_t kCorpsDestroyed = 255;

// Result of NearestEnemyCorpsDistance.
extern std::uint16_t NearestEnemyDistance;

// Plans every corps' allowance and route for the coming turn (pre-movement phase).
void PlanCorpsMoves();
// Moves corps c one step of its route; true when the watching side may see the move.
bool MoveCorpsStep(int corps);

// Sets NearestEnemyDistance to the distance from the city to the nearest corps of a side other
// than the nation's; 100 when there is none or the city is 0.
void NearestEnemyCorpsDistance(int city, int nation);
// A corps of the nation in contact that corps i marches to join: its index (0 none) and hex.
// Each friend that qualifies already gives i its march bonus and its route toward that friend.
int FindInterceptingCorps(int nation, int corps, THexPos& hex);

void ResetCorpsMovementGlobals();

}  // namespace kvt
