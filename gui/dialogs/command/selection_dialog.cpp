// The selection dialog.
#include "gui/dialogs/command/selection_dialog.h"

#include "gui/dialogs/command/command_dialog_support.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/main/side_dialogs.h"
#include "gui/platform/cursor.h"
#include "gui/platform/fonts.h"
#include "ui_selection_dialog.h"

namespace kvt::gui {

TSelecDlg::TSelecDlg(QWidget* parent) : TForm(parent), ui_(std::make_unique<Ui::TSelecDlg>()) {
    ui_->setupUi(this);
    SetUpCommandDialog(*this, MakeFont(QStringLiteral("Times New Roman"), -15));
    ui_->SelectCorpsRadioGroup->hide();
    CentreOnScreen(*this);
    connect(ui_->SelectListBox, &TElAdvancedListBox::OnClick, this, &TSelecDlg::SelectListBoxClick);
    connect(ui_->SelectCorpsRadioGroup, &TElRadioGroup::OnClick, this, &TSelecDlg::SelectCorpsRadioGroupClick);
}

TSelecDlg::~TSelecDlg() = default;

void TSelecDlg::paintEvent(QPaintEvent*) { PaintRaisedEdge(*this); }

void TSelecDlg::showEvent(QShowEvent* event) {
    TForm::showEvent(event);
    FormShow();
}

void TSelecDlg::FormShow() {
    setWindowTitle(GameText(583));
    SetScreenCursor(crDefault);
    ShowRows(ui_->SelectListBox, choice_.Rows());
}

void TSelecDlg::SelectListBoxClick() {
    const TSelectionAct act = choice_.ChooseRow(ui_->SelectListBox->ItemIndex());
    ui_->SelectCorpsRadioGroup->setVisible(act == TSelectionAct::CorpsChoice);
    // Preselected without a click: the map click sets the route state once the dialog closes.
    if (act == TSelectionAct::CorpsChoice) ui_->SelectCorpsRadioGroup->SetItemIndex(1);
    switch (act) {
        case TSelectionAct::CityOrders: OpenSideDialog(TSideDialog::CityOrders); break;
        case TSelectionAct::ArmyOrders: OpenSideDialog(TSideDialog::ArmyOrders); break;
        case TSelectionAct::FleetOrders: OpenSideDialog(TSideDialog::FleetOrders); break;
        default: break;
    }
}

void TSelecDlg::SelectCorpsRadioGroupClick() {
    if (choice_.ChooseCorpsItem(ui_->SelectCorpsRadioGroup->ItemIndex())) OpenSideDialog(TSideDialog::CorpsOrders);
}

void ShowSelectionDialog() {
    TSelecDlg dialog;
    dialog.ShowModal();
    dialog.Choice().Close();
}

}  // namespace kvt::gui
