// Orders for corps outside armies: each computer corps gets a supply city and, by what threatens
// it, holds it, attacks the nearest enemy city in reach or joins a nearby army; a threatened
// capital calls its theatre's corps back. A person's disordered corps are only sent back to safety.
// Distances are in hexes. Draws nothing and never waits.
#pragma once

namespace kvt {

// Every corps of the computer nation outside an army and not aboard a fleet or train.
void PlanIndependentCorps(int nation);
// The same planning measuring every corps at each tally: the reference the tests hold
// PlanIndependentCorps to.
void PlanIndependentCorpsFullRescan(int nation);
// A person's nation: disordered corps near an enemy fall back to their army's base or a supply city.
void ReturnCorpsToSupplyCity(int nation);
// The nearest city held by `side` with strength not of the nation's side within 10 hexes of it,
// closer to the corps than `range`; 0 when none.
int NearestEnemyCityInRange(int side, int nation, int corps, int range);

}  // namespace kvt
