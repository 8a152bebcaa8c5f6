// The new-brigades dialog.
#include "gui/dialogs/command/new_brigades_dialog.h"

#include "engine/orders/new_brigades.h"
#include "engine/orders/order_support.h"
#include "engine/orders/raising_lists.h"
#include "engine/world/globals.h"
#include "engine/world/naming.h"
#include "gui/dialogs/command/raising_dialog_look.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/cursor.h"
#include "ui_new_brigades_dialog.h"

namespace kvt::gui {

TRaiseBrgds::TRaiseBrgds(QWidget* parent) : TForm(parent), ui_(std::make_unique<Ui::TRaiseBrgds>()) {
    ui_->setupUi(this);
    SetUpRaisingDialog(*this, ui_->Image1, QStringLiteral("bg_new_brigades.bmp"));
    setWindowTitle(GameText(442));
    ui_->Button1->SetCaption(GameText(66));
    ui_->GroupBox1->SetCaption(GameText(363));
    for (TElLabel* type : {ui_->Label4, ui_->Label5, ui_->Label6}) type->SetCaption(GameText(364));
    for (TElLabel* type : {ui_->Label7, ui_->Label8}) type->SetCaption(GameText(365));
    for (TElLabel* type : {ui_->Label9, ui_->Label10, ui_->Label11}) type->SetCaption(GameText(366));
    for (TElLabel* info : {ui_->Label1, ui_->Label2, ui_->Label3}) info->SetCaption(QString());
    ClearWeaponChoice();
    void (TRaiseBrgds::*const handlers[])() = {
        &TRaiseBrgds::RadioButton1Click, &TRaiseBrgds::RadioButton2Click, &TRaiseBrgds::RadioButton3Click,
        &TRaiseBrgds::RadioButton4Click, &TRaiseBrgds::RadioButton5Click, &TRaiseBrgds::RadioButton6Click,
        &TRaiseBrgds::RadioButton7Click, &TRaiseBrgds::RadioButton8Click};
    for (int kind = 1; kind <= kWeaponKinds; ++kind) connect(Radio(kind), &TElRadioButton::OnClick, this, handlers[kind - 1]);
    connect(ui_->ListBox1, &TElAdvancedListBox::OnClick, this, &TRaiseBrgds::ListBox1Click);
    connect(ui_->ListBox2, &TElAdvancedListBox::OnClick, this, &TRaiseBrgds::ListBox2Click);
    FillBrigadeChoices();
}

TRaiseBrgds::~TRaiseBrgds() = default;

TElRadioButton* TRaiseBrgds::Radio(int kind) const {
    TElRadioButton* const radios[] = {ui_->RadioButton1, ui_->RadioButton2, ui_->RadioButton3, ui_->RadioButton4,
                                      ui_->RadioButton5, ui_->RadioButton6, ui_->RadioButton7, ui_->RadioButton8};
    return radios[kind - 1];
}

void TRaiseBrgds::ClearWeaponChoice() {
    for (int kind = 1; kind <= kWeaponKinds; ++kind) {
        Radio(kind)->SetChecked(false);
        Radio(kind)->setEnabled(false);
    }
}

void TRaiseBrgds::FillBrigadeChoices() {
    brigades_ = WaitingBrigades();
    ui_->ListBox1->Items().Clear();
    for (int b : brigades_) ui_->ListBox1->Items().Add(ToQString(BrigadeEntryText(GameRec->Brigades[b])));
    ui_->ListBox1->SetItemIndex(-1);
    ui_->ListBox1->setEnabled(!brigades_.empty());
    cities_.clear();
    ui_->ListBox2->Items().Clear();
    ui_->ListBox2->setEnabled(false);
    brigade_ = city_ = 0;
}

void TRaiseBrgds::ListBox1Click() {
    const int row = ui_->ListBox1->ItemIndex();
    if (row < 0 || row >= static_cast<int>(brigades_.size())) return;
    brigade_ = brigades_[row];
    city_ = 0;
    ui_->Label1->SetCaption(ToQString(BrigadeEntryText(GameRec->Brigades[brigade_])));
    ui_->GroupBox1->setEnabled(true);
    ui_->Label3->SetCaption(ToQString(WeaponAvailability(brigade_).size));
    ClearWeaponChoice();
    cities_ = DeploymentCities(brigade_);
    ui_->ListBox2->Items().Clear();
    for (int c : cities_) ui_->ListBox2->Items().Add(ToQString(CityRowText(c)));
    ui_->ListBox2->show();
    ui_->ListBox2->setEnabled(true);
    ui_->ListBox2->SetItemIndex(-1);
}

void TRaiseBrgds::ListBox2Click() {
    const int row = ui_->ListBox2->ItemIndex();
    if (brigade_ == 0 || row < 0 || row >= static_cast<int>(cities_.size())) return;
    ui_->ListBox1->setEnabled(false);
    city_ = cities_[row];
    ui_->GroupBox1->setEnabled(true);
    ShowWeaponAvailability(brigade_);
}

void TRaiseBrgds::ShowWeaponAvailability(int brigade) {
    const TWeaponAvailability w = WeaponAvailability(brigade);
    TElLabel* const counts[] = {ui_->Label12, ui_->Label13, ui_->Label14, ui_->Label15,
                                ui_->Label16, ui_->Label17, ui_->Label18, ui_->Label19};
    for (int kind = 1; kind <= kWeaponKinds; ++kind) {
        counts[kind - 1]->SetCaption(ToQString(w.counts[kind]));
        Radio(kind)->SetChecked(false);
        Radio(kind)->setEnabled(w.offered[kind]);
    }
}

void TRaiseBrgds::ArmWithKind(int kind) {
    if (ui_->ListBox1->ItemIndex() < 0 || !ArmAndPostBrigade(brigade_, city_, kind)) return;
    ui_->Label2->SetCaption(GameText(46));
    ui_->Label3->SetCaption(GameText(296 + kind));
    ShowWeaponAvailability(brigade_);
    ui_->Button1->show();
    ui_->ListBox1->setEnabled(true);
    FillBrigadeChoices();
    ClearWeaponChoice();
}

void ShowRaiseBrigades() {
    SetScreenCursor(crDefault);
    TRaiseBrgds dialog;
    dialog.ShowModal();
}

}  // namespace kvt::gui
