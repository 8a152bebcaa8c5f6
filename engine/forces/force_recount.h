// Force recount: the derived totals of ships, troops and armies that the rules and overviews read.
#pragma once

namespace kvt {

void RecountForces();

}  // namespace kvt
