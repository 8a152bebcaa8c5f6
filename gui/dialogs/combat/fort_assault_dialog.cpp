// The assault dialog.
#include "gui/dialogs/combat/fort_assault_dialog.h"

#include "gui/dialogs/core/dialog_support.h"
#include "ui_fort_assault_dialog.h"

namespace kvt::gui {

TFortAssault::TFortAssault(::kvt::TFortAssault& assault, QWidget* parent)
    : TBattleForm(parent), ui_(std::make_unique<Ui::TFortAssault>()), assault_(assault) {
    ui_->setupUi(this);
    Dress("bg_fort_assault.bmp");
    for (TElLabel* label : findChildren<TElLabel*>()) label->setFont(BattleFont(14));
    ui_->Label1->setFont(BattleFont(17, true));
    for (TElLabel* label : {ui_->Label10, ui_->Label11}) label->setFont(BattleFont(15, true));
    for (TElGraphicButton* button : {ui_->Button1, ui_->Button2}) button->setFont(BattleFont(14, true));
    ShowView();
    connect(ui_->Button1, &TElGraphicButton::OnClick, this, &TFortAssault::Button1Click);
}

TFortAssault::~TFortAssault() = default;

void TFortAssault::ShowView() {
    const TFortAssaultView& v = assault_.view;
    setWindowTitle(ToQString(v.caption));
    TElLabel* const lines[] = {nullptr,     ui_->Label1, ui_->Label2, ui_->Label3, ui_->Label4,
                               ui_->Label5, ui_->Label6, ui_->Label7, ui_->Label8};
    for (int n = 1; n <= 8; ++n) {
        lines[n]->SetCaption(ToQString(v.lines[static_cast<std::size_t>(n)]));
        lines[n]->setVisible(v.lineShown[static_cast<std::size_t>(n)]);
    }
    ui_->Label10->SetCaption(ToQString(v.bombardment));
    ui_->Label10->setVisible(v.bombardmentShown);
    ui_->Label11->SetCaption(ToQString(v.storm));
    ui_->Label11->setVisible(v.stormShown);
    ShowButton(ui_->Button1, v.execute);
    ShowButton(ui_->Button2, v.ok);
}

void TFortAssault::Button1Click() {
    assault_.Button1Click();
    ShowView();
}

void RunFortAssaultDialog(::kvt::TFortAssault& assault) {
    TFortAssault form(assault);
    form.ShowModal();
}

}  // namespace kvt::gui
