// Corps movement: each turn every corps gets its march allowance and a route of up to nine steps,
// then moves one step per movement tick with terrain costs and reactions to the enemy.
// Never waits on the player: notices go through the Frontend.
#pragma once

namespace kvt {

// Plans every corps' allowance and route for the coming turn (pre-movement phase).
void PlanCorpsMoves();
// Moves corps c one step of its route; true when the watching side may see the move.
bool MoveCorpsStep(int corps);

}  // namespace kvt
