// The battle analysis dialog.
#include "gui/dialogs/combat/battle_analysis_dialog.h"

#include "gui/dialogs/core/dialog_support.h"
#include "ui_battle_analysis_dialog.h"

namespace kvt::gui {

TBattleAnalysis::TBattleAnalysis(const TBattleAnalysisView& v, QWidget* parent)
    : TBattleForm(parent), ui_(std::make_unique<Ui::TBattleAnalysis>()) {
    ui_->setupUi(this);
    Dress("bg_battle_analysis.bmp");
    for (TElLabel* label : findChildren<TElLabel*>()) label->setFont(BattleFont(12));
    for (TElLabel* label : {ui_->UnionTitle, ui_->ConfederateTitle, ui_->ResultLabel}) label->setFont(BattleFont(15, true));
    ui_->Button1->setFont(BattleFont(14, true));
    setWindowTitle(ToQString(v.caption));
    ui_->Button1->SetCaption(ToQString(v.okCaption));
    ui_->ResultLabel->SetCaption(ToQString(v.result));
    ui_->UnionTitle->SetCaption(ToQString(v.side[1].title));
    ui_->ConfederateTitle->SetCaption(ToQString(v.side[2].title));
    for (int s = 1; s <= 2; ++s) {
        const QString side = s == 1 ? QStringLiteral("Union") : QStringLiteral("Confederate");
        const TAnalysisColumn& column = v.side[static_cast<std::size_t>(s)];
        for (int r = 1; r <= 13; ++r) {
            const auto row = static_cast<std::size_t>(r);
            findChild<TElLabel*>(side + QStringLiteral("Label%1").arg(r))->SetCaption(ToQString(column.label[row]));
            findChild<TElLabel*>(side + QStringLiteral("Value%1").arg(r))->SetCaption(ToQString(column.value[row]));
        }
    }
}

TBattleAnalysis::~TBattleAnalysis() = default;

void ShowBattleAnalysisDialog(const TBattleAnalysisView& view) {
    TBattleAnalysis form(view);
    form.ShowModal();
}

}  // namespace kvt::gui
