// Merging small fleets of a computer-played side that share a place.
#pragma once

namespace kvt {

void ConsolidateComputerFleets();

}  // namespace kvt
