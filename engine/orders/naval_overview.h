// The naval overview: one line for every fleet of the nation played, afloat or still building,
// and what picking a line does (the map centred on the fleet, its orders opened when it is afloat).
#pragma once

#include <string>
#include <vector>

#include "engine/orders/order_support.h"

namespace kvt {

// A fleet's line: number, home port, kind, ships and mission (or the build counter).
std::string NavalOverviewLine(int fleet);
// Lines of the fleets in use of the nation played, in index order; each row's index is its fleet.
std::vector<TOrderRow> NavalOverviewRows();
// A line was picked: the fleet is selected and the map centred on it. Answers whether its orders
// are to open (only for a fleet afloat).
bool PickOverviewFleet(int fleet);

}  // namespace kvt
