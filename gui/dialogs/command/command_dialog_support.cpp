// The command dialogs' record lists.
#include "gui/dialogs/command/command_dialog_support.h"

#include "gui/dialogs/core/dialog_support.h"
#include "gui/ui/advanced_list_box.h"

namespace kvt::gui {

void SetUpCommandDialog(QWidget& dialog, const QFont& face) {
    dialog.setFixedSize(dialog.size());
    MakeBorderless(dialog);
    for (QWidget* w : dialog.findChildren<QWidget*>()) w->setFont(face);
}

void ShowRows(TElAdvancedListBox* list, const std::vector<TOrderRow>& rows) {
    list->Items().Clear();
    for (const TOrderRow& row : rows) list->Items().Add(ToQString(row.text));
}

void ShowRows(TElAdvancedListBox* list, const std::vector<TOrderRow>& rows, int selected) {
    ShowRows(list, rows);
    list->SetItemIndex(selected);
}

int RowPressed(const TElAdvancedListBox* list, int x, int y) {
    return list->ItemAtPos(QPoint(x, y) + list->ClientRect().topLeft());
}

int ChosenRecord(const TElAdvancedListBox* list, const std::vector<TOrderRow>& rows) {
    const int row = list->ItemIndex();
    return row >= 0 && row < static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(row)].index : 0;
}

}  // namespace kvt::gui
