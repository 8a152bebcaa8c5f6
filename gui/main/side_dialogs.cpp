// The openers of the side's dialogs. No dialog of this group exists yet: each will be called from
// its case when it does.
#include "gui/main/side_dialogs.h"

#include "engine/core/selection.h"

namespace kvt::gui {

bool OpenSideDialog(TSideDialog dialog) {
    switch (dialog) {
        case TSideDialog::Selection:
            // Left without a choice: nothing is selected.
            SelectionList.Count = 0;
            return false;
        default:
            return false;
    }
}

}  // namespace kvt::gui
