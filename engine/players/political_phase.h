// The political phase at the end of a turn: capitals, capitulation, intervention, policy events.
#pragma once

namespace kvt {

void PoliticalPhase();

}  // namespace kvt
