// The new fleet dialog.
#include "gui/dialogs/command/new_fleet_dialog.h"

#include <QSpinBox>

#include "gui/dialogs/command/command_dialog_support.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/cursor.h"
#include "gui/platform/fonts.h"
#include "ui_new_fleet_dialog.h"

namespace kvt::gui {

TRaiseFleet::TRaiseFleet(QWidget* parent) : TForm(parent), ui_(std::make_unique<Ui::TRaiseFleet>()) {
    ui_->setupUi(this);
    SetUpCommandDialog(*this, MakeFont(QStringLiteral("MS Sans Serif"), -11));
    ui_->Image1->SetPicture(LoadDialogPicture(QStringLiteral("bg_new_fleet.bmp"), ui_->Image1->size()));
    const std::pair<TElLabel*, int> captions[] = {{ui_->Label5, 373}, {ui_->Label1, 374}, {ui_->Label7, 375},
        {ui_->Label10, 527}, {ui_->Label11, 528}, {ui_->Label12, 529}, {ui_->Label13, 530}, {ui_->Label15, 526}};
    for (const auto& [label, text] : captions) label->SetCaption(GameText(text));
    ui_->OKBtn->SetCaption(GameText(66));
    ui_->Label14->SetCaption(ToQString(TNewFleetOrder::ManpowerText()));
    // 0..0 until a port is chosen.
    ui_->SpinEdit1->setRange(0, 0);
    ui_->SpinEdit1->setEnabled(false);
    ShowButtons();
    CentreOnScreen(*this);
    connect(ui_->RadioButton1, &TElRadioButton::OnClick, this, &TRaiseFleet::RadioButton1Click);
    connect(ui_->RadioButton2, &TElRadioButton::OnClick, this, &TRaiseFleet::RadioButton2Click);
    connect(ui_->RadioButton3, &TElRadioButton::OnClick, this, &TRaiseFleet::RadioButton3Click);
    connect(ui_->RadioButton4, &TElRadioButton::OnClick, this, &TRaiseFleet::RadioButton4Click);
    connect(ui_->RadioButton5, &TElRadioButton::OnClick, this, &TRaiseFleet::RadioButton5Click);
    connect(ui_->ListBox1, &TElAdvancedListBox::OnClick, this, &TRaiseFleet::ListBox1Click);
}

TRaiseFleet::~TRaiseFleet() = default;

void TRaiseFleet::ShowButtons() {
    ui_->RadioButton1->setEnabled(order_.WaterEnabled());
    ui_->RadioButton2->setEnabled(order_.WaterEnabled());
    ui_->RadioButton3->setEnabled(order_.ClassEnabled(0));
    ui_->RadioButton4->setEnabled(order_.ClassEnabled(1));
    ui_->RadioButton5->setEnabled(order_.ClassEnabled(2));
}

void TRaiseFleet::ChooseWater(int water) {
    order_.ChooseWater(water);
    ShowButtons();
}

void TRaiseFleet::ChooseClass(int shipClass) {
    order_.ChooseClass(shipClass);
    ShowButtons();
    ShowRows(ui_->ListBox1, order_.Ports());
    ui_->ListBox1->setEnabled(!order_.Ports().empty());
}

void TRaiseFleet::ListBox1Click() {
    ui_->Label2->SetCaption(QStringLiteral("0"));
    const int row = ui_->ListBox1->ItemIndex();
    if (row < 0) return;
    const int room = order_.ChoosePort(row);
    // The range keeps a typed or stepped count within the room; a count above it is lowered.
    ui_->SpinEdit1->setRange(0, room);
    ui_->Label2->SetCaption(QString::number(room));
    ui_->SpinEdit1->setEnabled(true);
}

int TRaiseFleet::Build() { return order_.Build(ui_->SpinEdit1->value()); }

void ShowRaiseFleet() {
    SetScreenCursor(crDefault);
    TRaiseFleet dialog;
    dialog.ShowModal();
    dialog.Build();
}

}  // namespace kvt::gui
