// The corps and division orders dialog.
#include "gui/dialogs/command/corps_orders_dialog.h"

#include "gui/dialogs/command/brigade_display_dialog.h"
#include "gui/dialogs/command/command_dialog_support.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/fonts.h"
#include "ui_corps_orders_dialog.h"

namespace kvt::gui {

TCorpsOrder::TCorpsOrder(TCorpsOrders& orders, QWidget* parent)
    : TForm(parent), ui_(std::make_unique<Ui::TCorpsOrder>()), orders_(orders) {
    ui_->setupUi(this);
    setFixedSize(size());
    MakeBorderless(*this);
    ui_->Label36->setFont(MakeFont(QStringLiteral("Times New Roman"), -16, true));
    ui_->Label1->setFont(MakeFont(QStringLiteral("MS Sans Serif"), -11, true));
    ui_->Button2->SetCaption(GameText(66));

    const TCorpsOrders& o = orders_;
    ui_->Label36->SetCaption(ToQString(o.heading));
    ui_->Label1->SetCaption(ToQString(o.commanderName));
    ShowCommander();
    ShowFigures();
    ShowList(ui_->ListBox1, o.supplyCities);
    ShowList(ui_->ListBox2, o.commanders);
    ShowList(ui_->ListBox3, o.armies);
    ShowList(ui_->ListBox4, o.railDestinations);
    ui_->CombatStanceRadioGroup->SetCaption(ToQString(o.stanceCaption));
    ui_->CombatStanceRadioGroup->SetItemIndex(o.stance);
    ui_->MarchRadioGroup->SetItemIndex(o.march);
    ui_->SupplyTypeRadioGroup->SetItemIndex(o.supplyType);
    ui_->SupplyRadioGroup->SetItemIndex(o.priority);
    ui_->RadioButton13->SetCaption(ToQString(o.transferToCaption));
    ui_->RadioButton14->SetCaption(ToQString(o.transferFromCaption));
    ShowTransfers();

    CentreOnScreen(*this);
    connect(ui_->RadioButton13, &TElRadioButton::OnClick, this, &TCorpsOrder::RadioButton13Click);
    connect(ui_->RadioButton14, &TElRadioButton::OnClick, this, &TCorpsOrder::RadioButton14Click);
    connect(ui_->ListBox5, &TElAdvancedListBox::OnClick, this, &TCorpsOrder::ListBox5Click);
    connect(ui_->ListBox2, &TElAdvancedListBox::OnClick, this, &TCorpsOrder::ListBox2Click);
    connect(ui_->Button1, &TElGraphicButton::OnClick, this, &TCorpsOrder::Button1Click);
}

TCorpsOrder::~TCorpsOrder() = default;

void TCorpsOrder::paintEvent(QPaintEvent*) { PaintRaisedEdge(*this); }

void TCorpsOrder::ShowList(TElAdvancedListBox* list, const TOrderList& rows) {
    list->Items().Clear();
    for (const std::string& row : rows.rows) list->Items().Add(ToQString(row));
    list->SetItemIndex(rows.selected);
    list->setEnabled(rows.enabled);
}

void TCorpsOrder::ShowCommander() {
    TElLabel* const ratings[] = {ui_->Label17, ui_->Label18, ui_->Label19, ui_->Label20};
    TElLabel* const captions[] = {ui_->Label37, ui_->Label38, ui_->Label39, ui_->Label40};
    for (int i = 0; i < 4; ++i) {
        ratings[i]->SetCaption(ToQString(orders_.ratings[i]));
        ratings[i]->setVisible(orders_.ratingsShown);
        captions[i]->setVisible(orders_.ratingsShown);
    }
}

void TCorpsOrder::ShowFigures() {
    TElLabel* const figures[] = {ui_->Label2, ui_->Label3, ui_->Label4, ui_->Label5,  ui_->Label6, ui_->Label7,
                                 ui_->Label8, ui_->Label9, ui_->Label10, ui_->Label11, ui_->Label12};
    for (int n = 2; n <= 12; ++n) figures[n - 2]->SetCaption(ToQString(orders_.figures[n]));
}

void TCorpsOrder::ShowTransfers() {
    const TCorpsOrders& o = orders_;
    ui_->ElGroupBox5->setVisible(o.transfersShown);
    for (TElRadioButton* b : {ui_->RadioButton13, ui_->RadioButton14}) {
        b->setVisible(o.transfersShown);
        if (o.direction == TTransferDirection::None) b->SetChecked(false);
    }
    ui_->RadioButton13->setEnabled(o.transfersShown);
    ui_->RadioButton14->setEnabled(o.transfersShown && o.transferFromEnabled);
    ShowList(ui_->ListBox5, o.brigades);
    ui_->ListBox5->setVisible(o.brigadeListShown);
    ui_->ListBox5->setEnabled(o.brigadeListShown);
    ui_->ListBox2->setEnabled(o.commanders.enabled);
    ui_->Button1->setEnabled(o.brigadesViewable);
}

void TCorpsOrder::RadioButton13Click() {
    FillTransferToList(orders_);
    ShowTransfers();
}

void TCorpsOrder::RadioButton14Click() {
    FillTransferFromList(orders_);
    ShowTransfers();
}

void TCorpsOrder::ListBox5Click() {
    TransferBrigade(orders_, ui_->ListBox5->ItemIndex());
    ShowFigures();
    ShowTransfers();
}

void TCorpsOrder::ListBox2Click() {
    ChangeCommander(orders_, ui_->ListBox2->ItemIndex());
    ShowCommander();
    // The new man's limit is the one the transfers now keep to.
    ShowFigures();
    ShowTransfers();
}

void TCorpsOrder::Button1Click() {
    ShowBrigadeDisplay();
    RefreshCorpsFigures(orders_);
    ShowFigures();
    ShowTransfers();
}

void TCorpsOrder::CollectChoices() {
    orders_.stance = ui_->CombatStanceRadioGroup->ItemIndex();
    orders_.march = ui_->MarchRadioGroup->ItemIndex();
    orders_.supplyType = ui_->SupplyTypeRadioGroup->ItemIndex();
    orders_.priority = ui_->SupplyRadioGroup->ItemIndex();
    orders_.supplyCities.selected = ui_->ListBox1->ItemIndex();
    orders_.armies.selected = ui_->ListBox3->ItemIndex();
    orders_.railDestinations.selected = ui_->ListBox4->ItemIndex();
}

bool ShowCorpsOrders() {
    TCorpsOrders orders;
    if (!OpenCorpsOrders(orders)) return false;
    ShowBuiltModal<TCorpsOrder>(orders)->CollectChoices();
    CloseCorpsOrders(orders);
    return true;
}

}  // namespace kvt::gui
