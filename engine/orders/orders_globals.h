// The order rules' own globals (the corps orders' dialog state), cleared as one.
#pragma once

namespace kvt {

void ResetOrdersGlobals();

}  // namespace kvt
