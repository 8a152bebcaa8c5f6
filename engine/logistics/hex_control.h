// Hex control: which side controls each hex of the map, from the corps, river fleets and cities
// near it. Recomputed on loading a game, before movement and after every movement pass.
#pragma once

namespace kvt {

void UpdateHexControl();

}  // namespace kvt
