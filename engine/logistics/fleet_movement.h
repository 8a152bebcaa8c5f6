// Fleet movement in the movement ticks: interception before a fleet moves, its one step, and the
// engagements it meets on the way.
#pragma once

namespace kvt {

// Turns a patrol toward a warring enemy fleet it meets within three hexes. Answers whether an enemy
// was near enough to be weighed: when none was, nothing was drawn or changed.
bool CheckFleetInterception(int fleet);
// Moves the fleet one step of its planned route; true when the watching side may see the move.
// `noEnemyNear`: the caller's own check just answered false and nothing moved since, so the check
// before the step, which would find the same, is not made again.
bool FleetMovementStep(int fleet, bool noEnemyNear = false);
// The plain reading the tests hold fleet passes to: with `on`, every step checks again whatever
// the caller's check found.
void CheckInterceptionOnEveryStep(bool on);
// Fights the fleet's engagement with the movement timer held, so no tick runs while the combat
// waits on a person; the timer is then left as it was.
void FightWithTimerHeld(int fleet);

}  // namespace kvt
