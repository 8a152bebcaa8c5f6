// The openers of the side's dialogs. Those not written yet open nothing.
#include "gui/main/side_dialogs.h"

#include "gui/dialogs/command/army_orders_dialog.h"
#include "gui/dialogs/command/city_orders_dialog.h"
#include "gui/dialogs/command/corps_orders_dialog.h"
#include "gui/dialogs/command/fleet_orders_dialog.h"
#include "gui/dialogs/command/leader_orders_dialog.h"
#include "gui/dialogs/command/manpower_dialog.h"
#include "gui/dialogs/command/naval_overview_dialog.h"
#include "gui/dialogs/command/new_army_dialog.h"
#include "gui/dialogs/command/new_brigades_dialog.h"
#include "gui/dialogs/command/new_corps_dialog.h"
#include "gui/dialogs/command/new_fleet_dialog.h"
#include "gui/dialogs/command/selection_dialog.h"

namespace kvt::gui {

bool OpenSideDialog(TSideDialog dialog) {
    switch (dialog) {
        case TSideDialog::ArmyOrders:
            return ShowArmyOrders();
        case TSideDialog::LeaderOrders:
            ShowLeaderStatus();
            return true;
        case TSideDialog::FleetOrders:
            return ShowFleetOrders();
        case TSideDialog::NewFleet:
            ShowRaiseFleet();
            return true;
        case TSideDialog::NavalOverview:
            ShowFleetOverview();
            return true;
        case TSideDialog::Selection:
            ShowSelectionDialog();
            return true;
        case TSideDialog::CorpsOrders:
            return ShowCorpsOrders();
        case TSideDialog::NewBrigades:
            ShowRaiseBrigades();
            return true;
        case TSideDialog::NewCorps:
            ShowRaiseCorps();
            return true;
        case TSideDialog::NewArmy:
            ShowRaiseArmy();
            return true;
        case TSideDialog::Manpower:
            ShowManpowerSettings();
            return true;
        case TSideDialog::CityOrders:
            return ShowCityOrders();
        default:
            return false;
    }
}

}  // namespace kvt::gui
