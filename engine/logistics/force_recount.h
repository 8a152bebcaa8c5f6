// Force recount: the derived totals of ships, troops and armies that the rules and overviews read.
#pragma once

namespace kvt {

void RecountForces();

// The line brigades a corps (kind 0) or division may hold under a commander of this initiative, as
// the recount writes it into BrigadeLimit.
int RecountedLineLimit(int kind, int initiative);

}  // namespace kvt
