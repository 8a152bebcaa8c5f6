// The replayed results dialog.
#include "gui/dialogs/combat/replay_results_dialog.h"

#include "gui/dialogs/combat/battle_results_dialog.h"
#include "gui/dialogs/combat/column_heading.h"
#include "gui/dialogs/core/dialog_support.h"
#include "ui_replay_results_dialog.h"

namespace kvt::gui {

namespace {

// The narrow order column of the Union rows holds "Disorganised" only in a narrower cut of the
// cells' face; both sides' order columns take it alike.
constexpr int kOrderStretch = QFont::Condensed;

}  // namespace

TReplay2::TReplay2(const TReplayResultsView& v, QWidget* parent)
    : TBattleForm(parent), ui_(std::make_unique<Ui::TReplay2>()) {
    ui_->setupUi(this);
    Dress("bg_replay_results.bmp");
    for (TElLabel* label : findChildren<TElLabel*>()) label->setFont(BattleFont(9, true));
    QFont order = BattleFont(9, true);
    order.setStretch(kOrderStretch);
    for (const QString& side : {QStringLiteral("Union"), QStringLiteral("Confederate")})
        for (int r = 1; r <= 10; ++r) {
            findChild<TElLabel*>(side + QStringLiteral("Name%1").arg(r))->setFont(BattleFont(11, true));
            findChild<TElLabel*>(side + QStringLiteral("Disruption%1").arg(r))->setFont(order);
        }
    for (TElLabel* label : {ui_->Label43, ui_->Label50, ui_->Label1, ui_->Label2, ui_->Label44, ui_->Label45})
        label->setFont(BattleFont(13, true));
    for (TElLabel* label : {ui_->Label49, ui_->Label53, ui_->Label47, ui_->Label48}) label->setFont(BattleFont(12));
    ui_->Button2->setFont(BattleFont(14, true));

    setWindowTitle(ToQString(v.caption));
    ui_->Button2->SetCaption(ToQString(v.okCaption));
    for (TElLabel* label : {ui_->Label51, ui_->Label46}) label->SetCaption(ToQString(v.columns));
    PlaceOverResultCells(ui_->Label51, this, QStringLiteral("Union"));
    PlaceOverResultCells(ui_->Label46, this, QStringLiteral("Confederate"));
    for (TElLabel* label : {ui_->Label54, ui_->Label55}) label->SetCaption(ToQString(v.subHeader));
    ShowCaption(ui_->Label43, v.initiative);
    ShowCaption(ui_->Label49, v.intensity);
    ShowCaption(ui_->Label44, v.unionLeader);
    ShowCaption(ui_->Label47, v.unionLosses);
    ShowCaption(ui_->Label45, v.confederateLeader);
    ShowCaption(ui_->Label48, v.confederateLosses);
    FillResultRows(this, QStringLiteral("Union"), v.unionRows);
    FillResultRows(this, QStringLiteral("Confederate"), v.confederateRows);
    ShowCaption(ui_->Label50, v.result);
    ShowCaption(ui_->Label53, v.weapons);
}

TReplay2::~TReplay2() = default;

void ShowReplayResultsDialog(const TReplayResultsView& view) {
    TReplay2 form(view);
    form.ShowModal();
}

}  // namespace kvt::gui
