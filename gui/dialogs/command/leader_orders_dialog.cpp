// The leader orders dialog.
#include "gui/dialogs/command/leader_orders_dialog.h"

#include "gui/dialogs/command/command_dialog_support.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/cursor.h"
#include "gui/platform/fonts.h"
#include "ui_leader_orders_dialog.h"

namespace kvt::gui {

namespace {

void ShowOptional(TElLabel* label, const std::optional<std::string>& text) {
    if (text) label->SetCaption(ToQString(*text));
}

}  // namespace

TLeaderStatus::TLeaderStatus(QWidget* parent) : TForm(parent), ui_(std::make_unique<Ui::TLeaderStatus>()) {
    ui_->setupUi(this);
    SetUpCommandDialog(*this, MakeFont(QStringLiteral("Times New Roman"), -15));
    ui_->Label1->setFont(MakeFont(QStringLiteral("Times New Roman"), -17, true));
    const QImage picture = LoadDialogPicture(QStringLiteral("bg_leader_orders.bmp"), size());
    ui_->Image1->setGeometry(rect());
    ui_->Image1->SetPicture(picture);
    // The radio boxes show the part of the picture under them.
    ui_->NewRadBox1->CopyBackground(picture, ui_->NewRadBox1->pos());
    ui_->NewRadBox2->CopyBackground(picture, ui_->NewRadBox2->pos());
    for (TElLabel* rating : {ui_->Label8, ui_->Label9, ui_->Label10, ui_->Label11}) rating->hide();

    BindFilter(ui_->RadioButton1, ui_->Label12, &TLeaderStatus::RadioButton1Click);
    BindFilter(ui_->RadioButton8, ui_->Label13, &TLeaderStatus::RadioButton8Click);
    BindFilter(ui_->RadioButton2, ui_->Label14, &TLeaderStatus::RadioButton2Click);
    BindFilter(ui_->RadioButton3, ui_->Label15, &TLeaderStatus::RadioButton3Click);
    BindFilter(ui_->RadioButton4, ui_->Label16, &TLeaderStatus::RadioButton4Click);
    BindFilter(ui_->RadioButton5, ui_->Label17, &TLeaderStatus::RadioButton5Click);
    BindFilter(ui_->RadioButton6, ui_->Label18, &TLeaderStatus::RadioButton6Click);
    BindFilter(ui_->RadioButton7, ui_->Label19, &TLeaderStatus::RadioButton7Click);
    BindFilter(ui_->RadioButton9, ui_->Label2, &TLeaderStatus::RadioButton9Click);
    connect(ui_->LdrList, &TElAdvancedListBox::OnClick, this, &TLeaderStatus::LdrListClick);
    connect(ui_->BitBtn1, &TElGraphicButton::OnClick, this, &TLeaderStatus::BitBtn1Click);
    connect(ui_->Button1, &TElGraphicButton::OnClick, this, &TLeaderStatus::Button1Click);
    FillLeaderList();
    CentreOnScreen(*this);
}

TLeaderStatus::~TLeaderStatus() = default;

void TLeaderStatus::BindFilter(TElRadioButton* button, TElLabel* label, void (TLeaderStatus::*handler)()) {
    connect(button, &TElRadioButton::OnClick, this, handler);
    // Checking the button raises its click, and so the filter; a checked one is chosen again.
    connect(label, &TElLabel::OnClick, this, [this, button, handler] {
        if (button->GetChecked()) (this->*handler)();
        else button->SetChecked(true);
    });
}

void TLeaderStatus::ShowFilters() {
    ui_->Label16->SetCaption(GameText(189));
    ui_->Label17->SetCaption(GameText(191));
    ui_->Label18->SetCaption(GameText(193));
    ui_->Label19->SetCaption(GameText(192));
    ui_->Label12->SetCaption(GameText(330));
    ui_->Label13->SetCaption(GameText(331));
    ui_->Label14->SetCaption(GameText(332));
    ui_->Label15->SetCaption(GameText(333));
}

void TLeaderStatus::FillLeaderList() {
    ShowFilters();
    ShowRows(ui_->LdrList, orders_.Rows(), -1);
    ui_->Label20->SetCaption(GameText(623));
    ui_->Label20->setVisible(orders_.PenaltyShown());
}

void TLeaderStatus::RadioButton1Click() { orders_.SetRankFilter(kRankDivisional); FillLeaderList(); }
void TLeaderStatus::RadioButton8Click() { orders_.SetRankFilter(kRankCavalry); FillLeaderList(); }
void TLeaderStatus::RadioButton2Click() { orders_.SetRankFilter(kRankCorps); FillLeaderList(); }
void TLeaderStatus::RadioButton3Click() { orders_.SetRankFilter(kRankArmy); FillLeaderList(); }
void TLeaderStatus::RadioButton4Click() { orders_.SetStatusFilter(kLeadersActive); FillLeaderList(); }
void TLeaderStatus::RadioButton5Click() { orders_.SetStatusFilter(kLeadersAvailable); FillLeaderList(); }
void TLeaderStatus::RadioButton6Click() { orders_.SetStatusFilter(kLeadersRemoved); FillLeaderList(); }
void TLeaderStatus::RadioButton7Click() { orders_.SetStatusFilter(kLeadersWounded); FillLeaderList(); }
void TLeaderStatus::RadioButton9Click() { orders_.SetStatusFilter(kLeadersTempRemoved); FillLeaderList(); }

void TLeaderStatus::LdrListClick() {
    const std::optional<TLeaderDisplay> d = orders_.ChooseRow(ui_->LdrList->ItemIndex());
    if (!d) return;
    ui_->Label1->SetCaption(ToQString(d->name));
    TElLabel* const ratings[] = {ui_->Label8, ui_->Label9, ui_->Label10, ui_->Label11};
    const std::optional<std::string>* const texts[] = {&d->drill, &d->tactics, &d->initiative, &d->rating};
    for (int k = 0; k < 4; ++k) {
        ratings[k]->show();
        ShowOptional(ratings[k], *texts[k]);
    }
    ShowOptional(ui_->Label6, d->political);
    ShowOptional(ui_->Label7, d->status);
    ui_->Button1->setVisible(d->tempRemoveShown);
}

void TLeaderStatus::BitBtn1Click() {
    orders_.Promote();
    FillLeaderList();
}

void TLeaderStatus::Button1Click() {
    orders_.TempRemove();
    FillLeaderList();
}

void ShowLeaderStatus() {
    TLeaderStatus dialog;
    SetScreenCursor(crDefault);
    dialog.ShowModal();
}

}  // namespace kvt::gui
