// The openers of the side's dialogs. A dialog not written yet opens nothing: it will be called from
// its case when it exists.
#include "gui/main/side_dialogs.h"

#include "engine/core/selection.h"
#include "gui/dialogs/command/city_orders_dialog.h"
#include "gui/dialogs/command/manpower_dialog.h"
#include "gui/dialogs/command/new_army_dialog.h"
#include "gui/dialogs/command/new_brigades_dialog.h"
#include "gui/dialogs/command/new_corps_dialog.h"

namespace kvt::gui {

bool OpenSideDialog(TSideDialog dialog) {
    switch (dialog) {
        case TSideDialog::Selection:
            // Left without a choice: nothing is selected.
            SelectionList.Count = 0;
            return false;
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
