// What the command dialogs share: lists whose rows stand for records (the engine's TOrderRow), shown
// from the engine's rows and read back as the record of the row chosen, and the way a dialog opens.
// Holds no rule.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "engine/orders/order_support.h"
#include "gui/platform/cursor.h"

namespace kvt::gui {

class TElAdvancedListBox;

// Replaces the list's lines with the rows' texts.
void ShowRows(TElAdvancedListBox* list, const std::vector<TOrderRow>& rows);
// As above, then chooses row `selected` (-1 none).
void ShowRows(TElAdvancedListBox* list, const std::vector<TOrderRow>& rows, int selected);
// The record behind the list's chosen row; 0 when none is chosen.
int ChosenRecord(const TElAdvancedListBox* list, const std::vector<TOrderRow>& rows);

// Builds the dialog under the hourglass, as its opening reads much of the record, and shows it
// until it closes; answers it for what it collected.
template <class Dialog, class... Args>
std::unique_ptr<Dialog> ShowBuiltModal(Args&&... args) {
    SetScreenCursor(crHourGlass);
    auto dialog = std::make_unique<Dialog>(std::forward<Args>(args)...);
    SetScreenCursor(crDefault);
    dialog->ShowModal();
    return dialog;
}

}  // namespace kvt::gui
