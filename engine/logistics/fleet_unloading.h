// Fleets unloading after movement, and fleets left without ships disbanded.
#pragma once

namespace kvt {

void DisbandEmptyFleets();
void UnloadFleetsAfterMovement();

}  // namespace kvt
