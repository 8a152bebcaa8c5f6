// The openers of the side's dialogs, as the map, the menus and other dialogs open them.
#include "gui/main/side_dialogs.h"

#include "gui/dialogs/command/army_orders_dialog.h"
#include "gui/dialogs/command/city_orders_dialog.h"
#include "gui/dialogs/command/city_production_dialog.h"
#include "gui/dialogs/command/corps_orders_dialog.h"
#include "gui/dialogs/command/fleet_orders_dialog.h"
#include "gui/dialogs/command/force_overview_dialog.h"
#include "gui/dialogs/command/force_status_dialog.h"
#include "gui/dialogs/command/general_conditions_dialog.h"
#include "gui/dialogs/command/leader_orders_dialog.h"
#include "gui/dialogs/command/manpower_dialog.h"
#include "gui/dialogs/command/naval_overview_dialog.h"
#include "gui/dialogs/command/new_army_dialog.h"
#include "gui/dialogs/command/new_brigades_dialog.h"
#include "gui/dialogs/command/new_corps_dialog.h"
#include "gui/dialogs/command/new_fleet_dialog.h"
#include "gui/dialogs/command/selection_dialog.h"
#include "gui/dialogs/command/state_statistics_dialog.h"
#include "gui/dialogs/command/transfers_dialog.h"

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
        case TSideDialog::ArmyOverview:
            ShowForceOverview();
            return true;
        case TSideDialog::ForceStatus:
            ShowForceStatus();
            return true;
        case TSideDialog::CityProduction:
            ShowCityProduction();
            return true;
        case TSideDialog::Transfers:
            ShowTransfers();
            return true;
        case TSideDialog::StateStatistics:
            ShowStateStatistics();
            return true;
        case TSideDialog::GeneralConditions:
            ShowGeneralConditions();
            return true;
        default:
            return false;
    }
}

}  // namespace kvt::gui
