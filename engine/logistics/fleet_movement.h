// Fleet movement in the movement ticks: interception before a fleet moves, its one step, and the
// engagements it meets on the way.
#pragma once

namespace kvt {

void CheckFleetInterception(int fleet);
// Moves the fleet one step of its planned route; true when the watching side may see the move.
bool FleetMovementStep(int fleet);
// Fights the fleet's engagement with the movement timer held, so no tick runs while the combat
// waits on a person; the timer is then left as it was.
void FightWithTimerHeld(int fleet);

}  // namespace kvt
