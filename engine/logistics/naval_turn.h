// The turn's fleet missions before movement: refits ending, cargo at rest unloaded, computer fleets
// rebased or scuttled, arrivals (landings, the cotton trade, the end of a move) and every moving
// fleet's planned route for the 19 fleet passes. The arrival rules also run after movement.
#pragma once

namespace kvt {

void NavalTurnStep();

// The rules a fleet's mission is settled by, shared with the unloading after movement.
// A mission without a target ends (a refit completing); a patrol still under way is spared (one
// the route planning finds no route for ends there).
void EndTargetlessMission(int fleet);
// A fleet without a target unloads its supplies and cotton into its home theatre's pools.
void UnloadFleetAtRest(int fleet);
// The destination follows the target city.
void AimAtTargetCity(int fleet);
// A fleet standing on its destination: landing, cotton trade or unloading, the end of a move and,
// with `patrols`, a patrol settling on its target.
void FleetArrives(int fleet, bool patrols);

}  // namespace kvt
