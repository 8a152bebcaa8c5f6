// Naval combat of a fleet against the enemy fleets at its hex, live and again in a playback.
#pragma once

namespace kvt {

void ResolveFleetCombat(int fleet);
void ReplayFleetCombat(int fleet);

}  // namespace kvt
