// The turn's naval orders that are not a person's own, before the corps plan their moves: fleets
// sent home, enemy ports scored, patrols and port attacks, Confederate cotton runs and river
// gunboats for the computer sides, and corps embarking and landing at home for every side.
#pragma once

namespace kvt {

void FleetTransportStep();

// Its steps for one nation (1..4) and, where given, one theatre (1..3).
void ReturnFleetsHome(int nation);
void AssignNavalPatrols(int nation, int theatre);
void SendCottonRuns(int nation, int theatre);

}  // namespace kvt
