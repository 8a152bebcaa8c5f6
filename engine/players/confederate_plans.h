// The Confederacy's fixed plans: each a state machine in its own plan slot (10..14) that watches
// named states and cities of the scenario and claims corps, armies and cities with its number.
// Plan 14 guards the home ports; 12 holds Tennessee, 13 Virginia and Richmond, 11 the lower
// Mississippi; 10 sends the armies of Tennessee into Kentucky. Distances are in hexes. Draws nothing and never waits.
#pragma once

namespace kvt {

void CsaPlan10();
void CsaPlan11();
void CsaPlan12();
void CsaPlan13();
void CsaPlan14();

// Clears the plan's tag from every corps and city, and from every army when `armies`.
void ClearPlan(int plan, bool armies);

// The Confederate tally around the city (words start at 0, distances doubled across theatres);
// answers the nearest corps of the nation's side outside plans and armies within the range.
int CsaFindNearestCorps(int city, int nation, int range);
// Sends the nearest free Confederate corps within 20 hexes to attack the city under plan 14.
void CsaSendCorpsToCity(int city);

}  // namespace kvt
