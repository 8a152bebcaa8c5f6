// Fleet movement in the movement ticks: interception before a fleet moves, and its one step.
#pragma once

namespace kvt {

void CheckFleetInterception(int fleet);
// Moves the fleet one step of its planned route; true when the watching side may see the move.
bool FleetMovementStep(int fleet);

}  // namespace kvt
