// Merging small idle fleets of a computer-played nation that share a hex, so the computer players
// need not manage them one by one.
#pragma once

namespace kvt {

void ConsolidateComputerFleets();

// Adds the source fleet's ships, supplies and cotton to the target, which also takes the corps the
// source carries. Refused (false, nothing changed) when a count would pass 255, supplies or cotton
// 65,535, or both fleets carry a corps. The source is not freed.
bool MergeFleetInto(int target, int source);

}  // namespace kvt
