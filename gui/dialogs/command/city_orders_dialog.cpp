// The city orders dialog.
#include "gui/dialogs/command/city_orders_dialog.h"

#include "engine/forces/brigade_rules.h"
#include "engine/orders/city_orders.h"
#include "engine/world/globals.h"
#include "gui/dialogs/command/raising_dialog_look.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/cursor.h"
#include "gui/platform/fonts.h"
#include "ui_city_orders_dialog.h"

namespace kvt::gui {

TCityOrder::TCityOrder(int city, QWidget* parent) : TForm(parent), ui_(std::make_unique<Ui::TCityOrder>()), city_(city) {
    ui_->setupUi(this);
    SetUpRaisingDialog(*this, ui_->Image2, QStringLiteral("bg_city_orders.bmp"));
    ui_->Label1->setFont(MakeFont(QStringLiteral("Times New Roman"), -20, true));
    ui_->OKBtn->SetCaption(GameText(66));
    connect(ui_->UpDown1, &TElSpinButton::OnUpClick, this, &TCityOrder::UpDown1UpClick);
    connect(ui_->UpDown1, &TElSpinButton::OnDownClick, this, &TCityOrder::UpDown1DownClick);
    connect(ui_->UpDown2, &TElSpinButton::OnUpClick, this, &TCityOrder::UpDown2UpClick);
    connect(ui_->UpDown2, &TElSpinButton::OnDownClick, this, &TCityOrder::UpDown2DownClick);
    ShowCity();
}

TCityOrder::~TCityOrder() = default;

void TCityOrder::ShowCity() {
    TCityOrdersView v;
    if (!CityOrdersView(city_, v)) return;
    ui_->Label1->SetCaption(ToQString(v.name));
    ui_->Label2->SetCaption(ToQString(v.stateName));
    ui_->Label3->SetCaption(ToQString(v.value));
    ui_->Label5->SetCaption(ToQString(v.damage));
    ui_->Label6->SetCaption(ToQString(v.features));
    ui_->Label7->SetCaption(ToQString(v.garrison));
    ui_->Label8->SetCaption(ToQString(v.status));
    ui_->Label9->SetCaption(ToQString(v.supplies));
    ui_->Label14->SetCaption(ToQString(v.supplySource));
    ui_->Label11->SetCaption(QString::number(v.coastalGuns));
    ui_->Label13->SetCaption(QString::number(v.fortifications));
    ui_->UpDown1->setVisible(v.gunButton);
    ui_->UpDown2->setVisible(v.fortificationButton);
    ui_->ListBox1->Items().Clear();
    for (const std::string& entry : v.garrisonList) ui_->ListBox1->Items().Add(ToQString(entry));
    ui_->ListBox1->setEnabled(!v.garrisonList.empty());
}

void TCityOrder::UpDown1UpClick() {
    if (BuyCoastalGun(city_)) ShowCity();
}
void TCityOrder::UpDown1DownClick() {
    if (SellCoastalGun(city_)) ShowCity();
}
void TCityOrder::UpDown2UpClick() {
    if (BuildFortification(city_)) ShowCity();
}
void TCityOrder::UpDown2DownClick() {
    if (SellFortification(city_)) ShowCity();
}

bool ShowCityOrders() {
    // The garrison figures must be current before they are shown.
    RecalcCorpsFromBrigades();
    TCityOrdersView v;
    if (SelectedCity == 0 || !CityOrdersView(SelectedCity, v)) return false;
    SetScreenCursor(crDefault);
    TCityOrder dialog(SelectedCity);
    dialog.ShowModal();
    return true;
}

}  // namespace kvt::gui
