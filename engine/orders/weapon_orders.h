// The monthly weapon orders a person places with the cities and the off-map states: one step of an
// order (50 weapons or 2 guns a month) costs the weapon's price for the nation + 4 supplies of the
// theatre, and cutting it gives half of that back. Also how the dialogs count weapons, and which a
// person may arm a brigade with.
#pragma once

#include "engine/world/record_types.h"

namespace kvt {

// The supplies one step of weapon kind 1..8 costs the nation.
int WeaponOrderCost(int nation, int kind);
// Up: when the supplies exceed the cost, the order rises by one and the cost is paid. Down: when
// the order is above 0, it falls by one and cost div 2 comes back. Both words stop at their caps;
// an order at its cap is not raised (nothing would be bought for the price). Answers whether the
// order changed.
bool StepWeaponOrder(U16& order, U16& supplies, int cost, bool up);

// Units of weapon kind 1..8 (an order, a pool, the arms of brigades) as the dialogs count them:
// a unit of small arms (kinds 1..5) is 50 weapons, one of cannon (6..8) 2 guns.
long long WeaponsShown(int kind, long long units);

// Whether a person may arm a brigade of the type with weapon kind 1..8, new or re-armed: artillery
// takes 6..8, infantry 1..3, cavalry 4 or 5. The computer's own choice (PickBrigadeWeapon) ranges
// wider.
bool WeaponFitsBrigadeType(int kind, int brigadeType);

}  // namespace kvt
