// The army overview: one row for every commanded corps and division of the side played, with its
// commander, men, guns, supply need and whereabouts; a press on a row selects that corps and moves
// the map view to it. Men are strength units x 50, guns artillery x 2, distances 15 miles a hex.
#pragma once

#include <string>
#include <vector>

#include "engine/orders/order_support.h"

namespace kvt {

// What one opening shows; each row's index is its corps.
struct TForceOverview {
    std::string caption;          // the form's caption
    std::string heading;          // Label1
    std::vector<TOrderRow> rows;  // ListBox1
};

TForceOverview OpenForceOverview();
// The supplies a corps of the side played needs a turn: (priority + 1) x brigades, x 4 for the
// Union, x 2 for the Confederacy, halved away from the depots.
int CorpsSupplyNeed(int corps);
// "Name, Sh." of the city the corps stands in, "45 miles from Name, Sh." of the nearest one, or
// empty with no city within 100 hexes.
std::string CorpsWhereabouts(int corps);
// The press on a row: selects its corps and puts the view's origin on the corps' hex, then repaints.
// False, changing nothing, for no row or a corps the side no longer has (its orders may have
// disbanded it while the overview stayed open); the corps orders open only on true.
bool PressOverviewRow(const TForceOverview& overview, int row);

}  // namespace kvt
