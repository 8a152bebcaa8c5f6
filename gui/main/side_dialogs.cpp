// The openers of the side's dialogs. A dialog not written yet opens nothing; each is called from
// its case once it exists.
#include "gui/main/side_dialogs.h"

#include "engine/core/selection.h"
#include "gui/dialogs/command/corps_orders_dialog.h"

namespace kvt::gui {

bool OpenSideDialog(TSideDialog dialog) {
    switch (dialog) {
        case TSideDialog::Selection:
            // Left without a choice: nothing is selected.
            SelectionList.Count = 0;
            return false;
        case TSideDialog::CorpsOrders:
            return ShowCorpsOrders();
        default:
            return false;
    }
}

}  // namespace kvt::gui
