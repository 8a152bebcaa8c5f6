// What the command dialogs share: lists whose rows stand for records (the engine's TOrderRow), shown
// from the engine's rows and read back as the record of the row chosen, the overviews' row presses,
// and the way a dialog is framed and opens. Holds no rule.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "engine/orders/order_support.h"
#include "gui/platform/cursor.h"
#include "gui/ui/advanced_list_box.h"

namespace kvt::gui {

// The frame of a command dialog: the size its layout gives it, no title bar, and one face on every
// control (the captions a dialog sets in bold after it).
void SetUpCommandDialog(QWidget& dialog, const QFont& face);

// Replaces the list's lines with the rows' texts.
void ShowRows(TElAdvancedListBox* list, const std::vector<TOrderRow>& rows);
// As above, then chooses row `selected` (-1 none).
void ShowRows(TElAdvancedListBox* list, const std::vector<TOrderRow>& rows, int selected);
// The record behind the list's chosen row; 0 when none is chosen.
int ChosenRecord(const TElAdvancedListBox* list, const std::vector<TOrderRow>& rows);

// The row under a press at (x, y) of the list's own surface; -1 below the last row.
int RowPressed(const TElAdvancedListBox* list, int x, int y);
// Passes a press of any mouse button on the list to the dialog's handler(x, y). The list chooses a
// row only for the left button, so a row pressed with another is chosen here: the row shown chosen
// is the one the handler acts on.
template <class Dialog>
void ConnectRowPress(TElAdvancedListBox* list, Dialog* dialog, void (Dialog::*handler)(int, int)) {
    QObject::connect(list, &TElAdvancedListBox::OnMouseDown, dialog,
                     [list, dialog, handler](Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
                         const int row = RowPressed(list, x, y);
                         if (button != Qt::LeftButton && row >= 0) list->SetItemIndex(row);
                         (dialog->*handler)(x, y);
                     });
}

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
