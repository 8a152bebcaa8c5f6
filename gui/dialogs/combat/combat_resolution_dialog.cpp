// The combat-resolution dialog.
#include "gui/dialogs/combat/combat_resolution_dialog.h"

#include "gui/dialogs/core/dialog_support.h"
#include "ui_combat_resolution_dialog.h"

namespace kvt::gui {

namespace {

bool Pressable(const TDialogButton& state) { return state.visible && state.enabled; }

}  // namespace

Tquickrez::Tquickrez(TCombatResolution& dialog, QWidget* parent)
    : TBattleForm(parent), ui_(std::make_unique<Ui::Tquickrez>()), dialog_(dialog) {
    ui_->setupUi(this);
    Dress("bg_combat_resolution.bmp");
    for (TElLabel* label : findChildren<TElLabel*>()) label->setFont(BattleFont(15, true));
    ui_->Label43->setFont(BattleFont(17, true));
    for (TElLabel* label : {ui_->Label1, ui_->Label2}) label->setFont(BattleFont(15, true, true));
    for (TElGraphicButton* button : findChildren<TElGraphicButton*>()) button->setFont(BattleFont(14, true));
    ShowView();
    connect(ui_->Button3, &TElGraphicButton::OnClick, this, &Tquickrez::Button3Click);
    connect(ui_->Button4, &TElGraphicButton::OnClick, this, &Tquickrez::Button4Click);
    connect(ui_->Button1, &TElGraphicButton::OnClick, this, &Tquickrez::Button1Click);
}

Tquickrez::~Tquickrez() = default;

void Tquickrez::ShowView() {
    const TCombatResolutionView& v = dialog_.view;
    setWindowTitle(ToQString(v.caption));
    ui_->Label1->SetCaption(ToQString(v.unionHeading));
    ui_->Label2->SetCaption(ToQString(v.confederateHeading));
    ui_->Label43->SetCaption(ToQString(v.place));
    ui_->Label44->SetCaption(ToQString(v.unionLeader));
    ui_->Label45->SetCaption(ToQString(v.confederateLeader));
    ui_->Label3->SetCaption(ToQString(v.terrain));
    ui_->Label4->SetCaption(ToQString(v.weather));
    ShowButton(ui_->Button3, v.setUnionIntensity);
    ShowButton(ui_->Button1, v.execute);
    ShowButton(ui_->Button4, v.setConfederateIntensity);
}

void Tquickrez::Button3Click() {
    dialog_.Button3Click();
    ShowView();
}

void Tquickrez::Button4Click() {
    dialog_.Button4Click();
    ShowView();
}

void Tquickrez::Button1Click() {
    // Only a battle fought closes the dialog: it must never end with the battle unresolved.
    const bool fights = Pressable(dialog_.view.execute);
    dialog_.Button1Click();
    ShowView();
    if (fights) SetModalResult(mrOk);
}

void RunCombatResolutionDialog(TCombatResolution& dialog) {
    Tquickrez form(dialog);
    form.ShowModal();
}

}  // namespace kvt::gui
