// Supply cities: which own city a corps should draw supply from and fall back on.
// Reads the record only; used by the computer players and by corps movement.
#pragma once

namespace kvt {

// The best supply city of the nation's side for the corps: the nearest source, 15 hexes dearer when
// an enemy corps stands on it (unless it is a port source) and 2 dearer outside the corps' home
// state; only scores below 50 qualify, the first city wins ties. 0 when none qualifies.
int ChooseSupplyCity(int corps, int nation);

}  // namespace kvt
