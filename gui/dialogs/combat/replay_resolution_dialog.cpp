// The replayed combat-resolution dialog.
#include "gui/dialogs/combat/replay_resolution_dialog.h"

#include "gui/dialogs/core/dialog_support.h"
#include "ui_replay_resolution_dialog.h"

namespace kvt::gui {

Treplay1::Treplay1(const TReplayResolutionView& v, QWidget* parent)
    : TBattleForm(parent), ui_(std::make_unique<Ui::Treplay1>()) {
    ui_->setupUi(this);
    Dress("bg_replay_resolution.bmp");
    for (TElLabel* label : findChildren<TElLabel*>()) label->setFont(BattleFont(15, true));
    ui_->Label43->setFont(BattleFont(17, true));
    for (TElLabel* label : {ui_->Label1, ui_->Label2}) label->setFont(BattleFont(15, true, true));
    ui_->Button1->setFont(BattleFont(14, true));
    setWindowTitle(ToQString(v.caption));
    const std::pair<TElLabel*, const std::string*> lines[] = {
        {ui_->Label43, &v.place},        {ui_->Label1, &v.unionHeading},        {ui_->Label44, &v.unionLeader},
        {ui_->Label2, &v.confederateHeading}, {ui_->Label45, &v.confederateLeader}, {ui_->Label3, &v.terrain},
        {ui_->Label4, &v.weather}};
    for (const auto& [label, text] : lines) label->SetCaption(ToQString(*text));
}

Treplay1::~Treplay1() = default;

void ShowReplayResolutionDialog(const TReplayResolutionView& view) {
    Treplay1 form(view);
    form.ShowModal();
}

}  // namespace kvt::gui
