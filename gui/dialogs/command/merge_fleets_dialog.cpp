// The merge and split dialog.
#include "gui/dialogs/command/merge_fleets_dialog.h"

#include "engine/world/globals.h"
#include "gui/dialogs/command/command_dialog_support.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/cursor.h"
#include "gui/platform/fonts.h"
#include "ui_merge_fleets_dialog.h"

namespace kvt::gui {

TMergeLst::TMergeLst(int fleet, TTransferMode mode, QWidget* parent)
    : TForm(parent), ui_(std::make_unique<Ui::TMergeLst>()), choice_(fleet, mode) {
    ui_->setupUi(this);
    SetUpCommandDialog(*this, MakeFont(QStringLiteral("MS Sans Serif"), -11));
    setWindowTitle(mode == TTransferMode::Split ? QStringLiteral("Split Fleet") : GameText(597));
    ui_->Label7->SetCaption(GameText(598));
    ui_->Label1->SetCaption(GameText(182));
    ui_->Label2->SetCaption(GameText(183));
    ui_->Label3->SetCaption(GameText(184));
    ui_->Button1->SetCaption(GameText(66));
    upDowns_ = {ui_->UpDown1, ui_->UpDown2, ui_->UpDown3};
    counts_ = {ui_->Label4, ui_->Label5, ui_->Label6};
    for (int k = 0; k < kShipClasses; ++k) {
        TUpDown* u = upDowns_[static_cast<std::size_t>(k)];
        u->SetMax(choice_.Total(k));
        u->SetPosition(choice_.Total(k));
        counts_[static_cast<std::size_t>(k)]->SetCaption(QString::number(choice_.Count(k)));
    }
    ShowRows(ui_->ListBox1, choice_.Partners());
    ui_->ListBox1->setVisible(mode == TTransferMode::Merge);
    EnableCounts();
    CentreOnScreen(*this);
    connect(ui_->ListBox1, &TElAdvancedListBox::OnClick, this, &TMergeLst::ListBox1Click);
    connect(ui_->UpDown1, &TUpDown::OnMouseUp, this, &TMergeLst::UpDown1MouseUp);
    connect(ui_->UpDown2, &TUpDown::OnMouseUp, this, &TMergeLst::UpDown2MouseUp);
    connect(ui_->UpDown3, &TUpDown::OnMouseUp, this, &TMergeLst::UpDown3MouseUp);
}

TMergeLst::~TMergeLst() = default;

void TMergeLst::paintEvent(QPaintEvent*) { PaintRaisedEdge(*this); }

void TMergeLst::EnableCounts() {
    for (TUpDown* u : upDowns_) u->setEnabled(choice_.CountsEnabled());
}

void TMergeLst::ListBox1Click() {
    if (!choice_.ChoosePartner(ui_->ListBox1->ItemIndex())) return;
    ui_->ListBox1->setEnabled(false);
    EnableCounts();
}

void TMergeLst::UpDownMouseUp(int shipClass) {
    const auto k = static_cast<std::size_t>(shipClass);
    counts_[k]->SetCaption(QString::number(choice_.SetCount(shipClass, upDowns_[k]->Position())));
}

TFleetTransfer ShowMergeFleets(TTransferMode mode) {
    TMergeLst dialog(SelectedFleet, mode);
    SetScreenCursor(crDefault);
    dialog.ShowModal();
    return dialog.Transfer();
}

}  // namespace kvt::gui
