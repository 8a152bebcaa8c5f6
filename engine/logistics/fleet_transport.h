// Fleets embarking and landing corps and brigades before movement.
#pragma once

namespace kvt {

void FleetTransportStep();

}  // namespace kvt
