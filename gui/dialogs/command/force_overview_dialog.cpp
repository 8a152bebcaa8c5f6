// The army overview dialog.
#include "gui/dialogs/command/force_overview_dialog.h"

#include "gui/dialogs/command/corps_orders_dialog.h"
#include "gui/dialogs/command/command_dialog_support.h"
#include "gui/dialogs/core/dialog_support.h"
#include "ui_force_overview_dialog.h"

namespace kvt::gui {

TForceOver::TForceOver(QWidget* parent) : TForm(parent), ui_(std::make_unique<Ui::TForceOver>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    MakeBorderless(*this);
    ui_->Button1->SetCaption(GameText(66));
    FillRows();
    CentreOnScreen(*this);
    ConnectRowPress(ui_->ListBox1, this, &TForceOver::ListBox1MouseDown);
}

TForceOver::~TForceOver() = default;

void TForceOver::paintEvent(QPaintEvent*) { PaintRaisedEdge(*this); }

void TForceOver::FillRows() {
    overview_ = OpenForceOverview();
    setWindowTitle(ToQString(overview_.caption));
    ui_->Label1->SetCaption(ToQString(overview_.heading));
    ShowRows(ui_->ListBox1, overview_.rows);
}

void TForceOver::ListBox1MouseDown(int x, int y) {
    // Only a press on a row opens a corps: below the last one, the row chosen before stays chosen.
    const int row = RowPressed(ui_->ListBox1, x, y);
    if (!PressOverviewRow(overview_, row)) return;
    const int corps = overview_.rows[static_cast<std::size_t>(row)].index;
    ShowCorpsOrders();
    // The orders may have changed the corps' figures or disbanded it.
    FillRows();
    for (std::size_t r = 0; r < overview_.rows.size(); ++r)
        if (overview_.rows[r].index == corps) ui_->ListBox1->SetItemIndex(static_cast<int>(r));
}

void ShowForceOverview() {
    ShowBuiltModal<TForceOver>();
}

}  // namespace kvt::gui
