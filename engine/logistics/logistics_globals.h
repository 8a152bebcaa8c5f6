// The logistics rules' own globals (the draft's tallies), cleared as one.
#pragma once

namespace kvt {

void ResetLogisticsGlobals();

}  // namespace kvt
