// The army orders dialog.
#include "gui/dialogs/command/army_orders_dialog.h"

#include "engine/orders/new_army.h"
#include "engine/world/globals.h"
#include "gui/dialogs/command/command_dialog_support.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/fonts.h"
#include "ui_army_orders_dialog.h"

namespace kvt::gui {

namespace {

void CheckCode(const std::vector<TElRadioButton*>& buttons, int code) {
    for (TElRadioButton* b : buttons) b->SetChecked(false);
    if (code >= 0 && code < static_cast<int>(buttons.size())) buttons[static_cast<std::size_t>(code)]->SetChecked(true);
}

int CheckedCode(const std::vector<TElRadioButton*>& buttons) {
    for (std::size_t k = 0; k < buttons.size(); ++k)
        if (buttons[k]->GetChecked()) return static_cast<int>(k);
    return -1;
}

}  // namespace

TArmyOrder::TArmyOrder(int army, QWidget* parent)
    : TForm(parent), ui_(std::make_unique<Ui::TArmyOrder>()), army_(army), view_(OpenArmyOrders(army)) {
    ui_->setupUi(this);
    SetUpCommandDialog(*this, MakeFont(QStringLiteral("Times New Roman"), -15));
    ui_->Label1->setFont(MakeFont(QStringLiteral("Times New Roman"), -19, true));
    ui_->Label7->setFont(MakeFont(QStringLiteral("Times New Roman"), -17, true));
    AcceptRecordNames(*ui_->Edit1, kArmyNameLength);

    stances_ = {ui_->RadioButton1, ui_->RadioButton2, ui_->RadioButton3, ui_->RadioButton12};
    marches_ = {ui_->RadioButton4, ui_->RadioButton5, ui_->RadioButton6};
    supplyTypes_ = {ui_->RadioButton8, ui_->RadioButton7};
    priorities_ = {ui_->RadioButton9, ui_->RadioButton10, ui_->RadioButton11};

    ui_->Label9->SetCaption(ToQString(view_.baseHeading));
    ui_->Label10->SetCaption(ToQString(view_.objectiveHeading));
    ui_->Label2->SetCaption(ToQString(view_.menAndGuns));
    ui_->Label1->SetCaption(ToQString(view_.title));
    CheckCode(stances_, view_.stance);
    CheckCode(marches_, view_.march);
    CheckCode(supplyTypes_, view_.supplyType);
    CheckCode(priorities_, view_.supplyPriority);
    ui_->Label5->SetCaption(ToQString(view_.corpsCount));
    ui_->Label6->SetCaption(ToQString(view_.capacity));
    ui_->Label6->setVisible(!view_.capacity.empty());
    ui_->Label7->SetCaption(ToQString(view_.nation));
    ui_->Label8->SetCaption(ToQString(view_.condition));
    ShowRows(ui_->ListBox1, view_.supplyBases, view_.supplyBaseRow);
    ShowRows(ui_->ListBox2, view_.objectives, view_.objectiveRow);
    ui_->Edit1->setText(ToQString(view_.name));
    ShowRows(ui_->ListBox3, view_.commanders, view_.commanderRow);

    CentreOnScreen(*this);
    connect(ui_->ListBox3, &TElAdvancedListBox::OnClick, this, &TArmyOrder::ListBox3Click);
}

TArmyOrder::~TArmyOrder() = default;

void TArmyOrder::paintEvent(QPaintEvent*) { PaintRaisedEdge(*this); }

void TArmyOrder::ListBox3Click() {
    const int leader = ChosenRecord(ui_->ListBox3, view_.commanders);
    if (leader != 0) ChangeArmyCommander(army_, leader);
}

TArmyOrderChoices TArmyOrder::Choices() const {
    TArmyOrderChoices c;
    c.name = ui_->Edit1->text().toStdString();
    c.stance = CheckedCode(stances_);
    c.march = CheckedCode(marches_);
    c.supplyType = CheckedCode(supplyTypes_);
    c.supplyPriority = CheckedCode(priorities_);
    c.supplyBase = ChosenRecord(ui_->ListBox1, view_.supplyBases);
    c.objective = ChosenRecord(ui_->ListBox2, view_.objectives);
    return c;
}

bool ShowArmyOrders() {
    const int army = SelectedArmy;
    if (!ArmyOrdersAvailable(army)) return false;
    CloseArmyOrders(army, ShowBuiltModal<TArmyOrder>(army)->Choices());
    return true;
}

}  // namespace kvt::gui
