// Corps movement: each turn every corps gets its march allowance and a route of up to nine steps,
// then moves one step per movement tick with terrain costs and reactions to the enemy.
// Never waits on the player: notices and the view go through the Frontend.
#pragma once

#include <cstdint>

#include "engine/world/corps_codes.h"
#include "engine/world/map_grid.h"
#include "engine/world/record_types.h"

namespace kvt {

// Result of NearestEnemyCorpsDistance.
extern std::uint16_t NearestEnemyDistance;

// Plans every corps' allowance and route for the coming turn (pre-movement phase).
void PlanCorpsMoves();
// Moves corps c one step of its route; true when the watching side may see the move.
bool MoveCorpsStep(int corps);
// Around a corps pass, in which only the steps themselves change brigades: each corps' brigades are
// listed once rather than checked against every brigade on each step. Without the hold every step
// checks.
void HoldCorpsBrigadeLists();
void ReleaseCorpsBrigadeLists();

// Sets NearestEnemyDistance to the distance from the city to the nearest corps of a side other
// than the nation's; 100 when there is none or the city is 0.
void NearestEnemyCorpsDistance(int city, int nation);
// A corps of the nation in contact that corps i marches to join: its index (0 none) and hex.
// Each friend that qualifies already gives i its march bonus and its route toward that friend.
int FindInterceptingCorps(int nation, int corps, THexPos& hex);

void ResetCorpsMovementGlobals();

}  // namespace kvt
