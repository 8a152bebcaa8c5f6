// The monthly procurement: every nation's weapon pools are capped, and each computer nation refunds
// its musket orders, cuts the orders of arms whose waiting brigades can all be armed, and orders a
// tenth of any shortfall. An order's unit value is the weapon's price plus 4 supplies.
#pragma once

namespace kvt {

// Weapon pools are never held above this.
constexpr int kWeaponPoolCap = 50000;

// First turn of a month, after the draft and the reset of the weapon prices. Draws random numbers
// for the Confederate and Union order places; shows nothing.
void ComputerProcurement();

}  // namespace kvt
