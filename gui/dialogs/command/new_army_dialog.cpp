// The new army dialog.
#include "gui/dialogs/command/new_army_dialog.h"

#include "engine/orders/new_army.h"
#include "engine/orders/order_support.h"
#include "engine/orders/raising_lists.h"
#include "engine/world/globals.h"
#include "gui/dialogs/command/raising_dialog_look.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/cursor.h"
#include "ui_new_army_dialog.h"

namespace kvt::gui {

namespace {
int At(const std::vector<int>& records, int row) {
    return row >= 0 && row < static_cast<int>(records.size()) ? records[row] : 0;
}
}  // namespace

TRaiseArmy::TRaiseArmy(QWidget* parent) : TForm(parent), ui_(std::make_unique<Ui::TRaiseArmy>()) {
    ui_->setupUi(this);
    SetUpRaisingDialog(*this, ui_->Image1, QStringLiteral("bg_new_army.bmp"));
    setWindowTitle(GameText(443));
    ui_->Label3->SetCaption(GameText(358));
    ui_->Label1->SetCaption(GameText(359));
    ui_->Label2->SetCaption(GameText(360));
    ui_->Label4->SetCaption(GameText(361));
    ui_->Button1->SetCaption(GameText(66));
    AcceptRecordNames(*ui_->Edit1, kArmyNameLength);

    ui_->ListBox1->setEnabled(false);
    ui_->ListBox3->setEnabled(false);
    leaders_ = ArmyLeaders();
    for (int l : leaders_) ui_->ListBox2->Items().Add(ToQString(GameRec->Leaders[l].Name.str()));
    ui_->ListBox2->setEnabled(!leaders_.empty());
    cities_ = ArmyCities();
    for (int c : cities_) ui_->ListBox3->Items().Add(ToQString(CityRowText(c)));
    if (cities_.empty()) ui_->ListBox1->setEnabled(false);

    connect(ui_->ListBox1, &TElAdvancedListBox::OnClick, this, &TRaiseArmy::ListBox2Click);
    connect(ui_->ListBox2, &TElAdvancedListBox::OnClick, this, &TRaiseArmy::ListBox2Click);
    connect(ui_->ListBox3, &TElAdvancedListBox::OnClick, this, &TRaiseArmy::ListBox3Click);
    ui_->Edit1->setFocus();
}

TRaiseArmy::~TRaiseArmy() = default;

void TRaiseArmy::ListBox2Click() { ui_->ListBox3->setEnabled(!cities_.empty()); }

void TRaiseArmy::ListBox3Click() {
    const int city = At(cities_, ui_->ListBox3->ItemIndex());
    if (city == 0) return;
    ui_->Edit1->setText(ToQString(ArmyNameForCity(city)));
    elements_ = ArmyElements();
    ui_->ListBox1->setEnabled(true);
    ui_->ListBox1->Items().Clear();
    for (int k : elements_) ui_->ListBox1->Items().Add(ToQString(ArmyElementText(k)));
}

int TRaiseArmy::ChosenCity() const { return At(cities_, ui_->ListBox3->ItemIndex()); }
int TRaiseArmy::ChosenLeader() const { return At(leaders_, ui_->ListBox2->ItemIndex()); }
std::string TRaiseArmy::ChosenName() const { return ui_->Edit1->text().toStdString(); }

std::vector<int> TRaiseArmy::ChosenCorps() const {
    std::vector<int> out;
    for (int row = 0; row < static_cast<int>(elements_.size()); ++row)
        if (ui_->ListBox1->Selected(row)) out.push_back(elements_[row]);
    return out;
}

void ShowRaiseArmy() {
    SetScreenCursor(crDefault);
    TRaiseArmy dialog;
    dialog.ShowModal();
    RaiseArmy(dialog.ChosenCity(), dialog.ChosenLeader(), dialog.ChosenName(), dialog.ChosenCorps());
}

}  // namespace kvt::gui
