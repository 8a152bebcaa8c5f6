// The naval overview.
#include "gui/dialogs/command/naval_overview_dialog.h"

#include "gui/dialogs/command/fleet_orders_dialog.h"
#include "gui/dialogs/command/command_dialog_support.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/fonts.h"
#include "ui_naval_overview_dialog.h"

namespace kvt::gui {

TFleetOver::TFleetOver(QWidget* parent)
    : TForm(parent), ui_(std::make_unique<Ui::TFleetOver>()), rows_(NavalOverviewRows()) {
    ui_->setupUi(this);
    SetUpCommandDialog(*this, MakeFont(QStringLiteral("MS Sans Serif"), -11, true));
    ui_->Image1->SetPicture(LoadDialogPicture(QStringLiteral("bg_naval_overview.bmp"), size()));
    setWindowTitle(GameText(471));
    ui_->Label1->SetCaption(GameText(590));
    ShowRows(ui_->ListBox1, rows_);
    CentreOnScreen(*this);
    ConnectRowPress(ui_->ListBox1, this, &TFleetOver::ListBox1MouseDown);
}

TFleetOver::~TFleetOver() = default;

void TFleetOver::ListBox1MouseDown(int x, int y) {
    // Only a press on a line picks a fleet: below the last one, the line chosen before stays chosen.
    const int row = RowPressed(ui_->ListBox1, x, y);
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    // The lines stay as they were: the orders opened here may change the fleet.
    if (PickOverviewFleet(rows_[static_cast<std::size_t>(row)].index)) ShowFleetOrders();
}

void ShowFleetOverview() {
    ShowBuiltModal<TFleetOver>();
}

}  // namespace kvt::gui
