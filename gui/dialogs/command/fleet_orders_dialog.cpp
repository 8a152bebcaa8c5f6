// The fleet orders dialog.
#include "gui/dialogs/command/fleet_orders_dialog.h"

#include "engine/world/globals.h"
#include "gui/dialogs/command/command_dialog_support.h"
#include "gui/dialogs/command/embark_corps_dialog.h"
#include "gui/dialogs/command/merge_fleets_dialog.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/cursor.h"
#include "gui/platform/fonts.h"
#include "ui_fleet_orders_dialog.h"

namespace kvt::gui {

TFleetOrders::TFleetOrders(TFleetOrderSheet& sheet, QWidget* parent)
    : TForm(parent), ui_(std::make_unique<Ui::TFleetOrders>()), sheet_(sheet) {
    ui_->setupUi(this);
    SetUpCommandDialog(*this, MakeFont(QStringLiteral("MS Sans Serif"), -11));
    ui_->Label1->setFont(MakeFont(QStringLiteral("MS Sans Serif"), -11, true));
    ui_->Image1->SetPicture(LoadDialogPicture(QStringLiteral("bg_fleet_orders.bmp"), ui_->Image1->size()));

    const std::pair<TElLabel*, int> captions[] = {{ui_->Label12, 313}, {ui_->Label13, 314}, {ui_->Label22, 315},
        {ui_->Label26, 316}, {ui_->Label23, 317}, {ui_->Label30, 319}, {ui_->Label27, 318}, {ui_->Label10, 142},
        {ui_->Label32, 93}, {ui_->Label21, 305}, {ui_->Label11, 181}};
    for (const auto& [label, text] : captions) label->SetCaption(GameText(text));
    missions_ = {ui_->RadioButton1, ui_->RadioButton2, ui_->RadioButton3, ui_->RadioButton4,
                 ui_->RadioButton5, ui_->RadioButton6, ui_->RadioButton7};
    // The opening already ran the checked mission's handler in the sheet.
    for (TElRadioButton* b : missions_) b->SetChecked(false);
    if (sheet_.CheckedMission() >= 0) missions_[static_cast<std::size_t>(sheet_.CheckedMission())]->SetChecked(true);
    ShowView();
    ShowControls();
    CentreOnScreen(*this);

    for (int m = 0; m < kFleetMissions; ++m)
        connect(missions_[static_cast<std::size_t>(m)], &TElRadioButton::OnClick, this, [this, m] { RadioButtonClick(m); });
    connect(ui_->CheckBox1, &TElCheckBox::OnClick, this, &TFleetOrders::CheckBox1Click);
    connect(ui_->CheckBox2, &TElCheckBox::OnClick, this, &TFleetOrders::CheckBox2Click);
    connect(ui_->CheckBox3, &TElCheckBox::OnClick, this, &TFleetOrders::CheckBox3Click);
    connect(ui_->CheckBox4, &TElCheckBox::OnClick, this, &TFleetOrders::CheckBox4Click);
    connect(ui_->UpDown1, &TElSpinButton::OnUpClick, this, &TFleetOrders::UpDown1UpClick);
    connect(ui_->UpDown1, &TElSpinButton::OnDownClick, this, &TFleetOrders::UpDown1DownClick);
    connect(ui_->UpDown2, &TElSpinButton::OnUpClick, this, &TFleetOrders::UpDown2UpClick);
    connect(ui_->UpDown2, &TElSpinButton::OnDownClick, this, &TFleetOrders::UpDown2DownClick);
}

TFleetOrders::~TFleetOrders() = default;

void TFleetOrders::ShowView() {
    const TFleetOrdersView v = sheet_.View();
    ui_->Label1->SetCaption(ToQString(v.nation));
    ui_->Label2->SetCaption(ToQString(v.homePort));
    ui_->Label3->SetCaption(ToQString(v.objective));
    ui_->Label3->setVisible(!v.objective.empty());
    ui_->Label4->SetCaption(ToQString(v.number));
    ui_->Label5->SetCaption(ToQString(v.cargo));
    ui_->Label5->setVisible(!v.cargo.empty());
    ui_->Label6->SetCaption(ToQString(v.kind));
    ui_->Label7->SetCaption(ToQString(v.ironclads));
    ui_->Label8->SetCaption(ToQString(v.wooden));
    ui_->Label9->SetCaption(ToQString(v.transports));
    ui_->Label33->SetCaption(ToQString(v.location));
    ui_->Label31->SetCaption(ToQString(v.cottonCapacity));
    ui_->Label30->setVisible(v.cottonCapacityShown);
    ui_->Label31->setVisible(v.cottonCapacityShown);
    ShowStocks();
}

void TFleetOrders::ShowStocks() {
    const TFleetOrdersView v = sheet_.View();
    ui_->Label28->SetCaption(ToQString(v.supplies));
    ui_->Label24->SetCaption(ToQString(v.suppliesAvailable));
    ui_->Label29->SetCaption(ToQString(v.cotton));
    ui_->Label25->SetCaption(ToQString(v.cottonAvailable));
}

void TFleetOrders::ShowControls() {
    const TFleetOrderControls& c = sheet_.Controls();
    for (int m = 0; m < kFleetMissions; ++m)
        missions_[static_cast<std::size_t>(m)]->setEnabled(c.missions[static_cast<std::size_t>(m)]);
    ui_->CheckBox1->setEnabled(c.homePortBox);
    ui_->CheckBox2->setEnabled(c.objectiveBox);
    ui_->CheckBox3->setEnabled(c.mergeBox);
    ui_->CheckBox4->setEnabled(c.splitBox);
    ui_->UpDown1->setEnabled(c.suppliesSpin);
    ui_->UpDown2->setEnabled(c.cottonSpin);
}

void TFleetOrders::RadioButtonClick(int mission) {
    const bool embark = sheet_.ChooseMission(mission);
    ShowControls();
    if (embark) {
        ShowEmbarkCorps();
        sheet_.EmbarkClosed();
    }
    // A recall changes the objective, boarding the troops aboard: the labels follow at once.
    ShowView();
}

void TFleetOrders::CheckBox1Click() {
    sheet_.HomePortBoxClicked();
    ShowRows(ui_->ListBox1, sheet_.HomePorts(), sheet_.HomePortRow());
}

void TFleetOrders::CheckBox2Click() {
    sheet_.ObjectiveBoxClicked();
    ShowRows(ui_->ListBox2, sheet_.Objectives(), sheet_.ObjectiveRow());
}

void TFleetOrders::OpenTransfer(TTransferMode mode) {
    ShowControls();
    sheet_.SetTransfer(ShowMergeFleets(mode));
}

void TFleetOrders::CheckBox3Click() {
    if (ui_->CheckBox3->GetChecked()) OpenTransfer(sheet_.MergeBoxChecked());
}

void TFleetOrders::CheckBox4Click() {
    if (ui_->CheckBox4->GetChecked()) OpenTransfer(sheet_.SplitBoxChecked());
}

void TFleetOrders::UpDown1UpClick() {
    sheet_.SuppliesUp();
    ShowStocks();
    ShowControls();
}

void TFleetOrders::UpDown1DownClick() {
    sheet_.SuppliesDown();
    ShowStocks();
    ShowControls();
}

void TFleetOrders::UpDown2UpClick() {
    sheet_.CottonUp();
    ShowStocks();
    ShowControls();
}

void TFleetOrders::UpDown2DownClick() {
    sheet_.CottonDown();
    ShowStocks();
    ShowControls();
}

TFleetOrderChoices TFleetOrders::Choices() const {
    TFleetOrderChoices c;
    c.homePortBox = ui_->CheckBox1->GetChecked();
    c.homePort = ChosenRecord(ui_->ListBox1, sheet_.HomePorts());
    c.objectiveBox = ui_->CheckBox2->GetChecked();
    c.objective = ChosenRecord(ui_->ListBox2, sheet_.Objectives());
    return c;
}

bool ShowFleetOrders() {
    const int fleet = SelectedFleet;
    if (!FleetOrdersAvailable(fleet)) return false;
    TFleetOrderSheet sheet(fleet);
    // Amphibious at the home port: its handler shows the embark dialog before the orders.
    if (sheet.EmbarkAtOpening()) {
        ShowEmbarkCorps();
        sheet.EmbarkClosed();
    }
    TFleetOrders dialog(sheet);
    SetScreenCursor(crDefault);
    dialog.ShowModal();
    sheet.Close(dialog.Choices());
    return true;
}

}  // namespace kvt::gui
