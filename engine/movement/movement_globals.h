// The movement rules' own globals (the selection list, the path search's results, corps
// movement), cleared as one.
#pragma once

namespace kvt {

void ResetMovementGlobals();

}  // namespace kvt
