// The shared force rules' own globals (the brigade rules' tallies, the force tally),
// cleared as one.
#pragma once

namespace kvt {

void ResetForcesGlobals();

}  // namespace kvt
