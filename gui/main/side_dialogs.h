// The dialogs through which the side played gives its orders and reads its state, as the map and
// the menus open them.
#pragma once

namespace kvt::gui {

enum class TSideDialog {
    GeneralConditions, ForceStatus, CityProduction, Manpower, StateStatistics, Transfers, LeaderOrders,
    ArmyOverview, NavalOverview, NewBrigades, NewArmy, NewCorps, NewFleet,
    CorpsOrders, ArmyOrders, CityOrders, FleetOrders,
    // The choice among several objects at a clicked hex; leaves the chosen position in
    // SelectionList.Count.
    Selection,
};

// Opens the dialog for the current selections; answers whether a dialog was shown.
bool OpenSideDialog(TSideDialog dialog);

}  // namespace kvt::gui
