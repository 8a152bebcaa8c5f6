// Landings by sea: the computer rates the enemy ports, marks its ocean transport fleets and its
// corps with artillery supplied from the seaboard (plan tag 9), and sends one marked corps and the
// nearest fit fleet against the best port: loaded at once when they stand together, else the
// corps marches to the fleet or the fleet sails to fetch it. After movement, fleets whose assigned
// corps came alongside take it aboard. Distances are in hexes. Draws nothing.
#pragma once

namespace kvt {

// The nation's amphibious plan, run by its plan driver before its other plans. It replaces the
// city scores with port ratings for the rest of the nation's planning.
void PlanAmphibiousLanding(int nation);
// The nation's idle marked ocean fleet whose supplies (or its theatre's pool) cover a voyage,
// based nearest to the city; 0 when none.
int FindTransportFleet(int nation, int city);
// Every fleet in service with a corps assigned but not aboard: a corps at rest within a hex of it
// boards and the fleet sails for its home port to land it; otherwise the fleet lets it go.
void EmbarkAssignedCorps();

}  // namespace kvt
