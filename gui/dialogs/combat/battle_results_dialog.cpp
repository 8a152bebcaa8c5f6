// The battle results dialog.
#include "gui/dialogs/combat/battle_results_dialog.h"

#include "gui/dialogs/combat/battle_analysis_dialog.h"
#include "gui/dialogs/combat/column_heading.h"
#include "gui/dialogs/core/dialog_support.h"
#include "ui_battle_results_dialog.h"

namespace kvt::gui {

namespace {

void ShowIf(TElLabel* label, const std::string& text, bool shown) {
    label->SetCaption(ToQString(text));
    label->setVisible(shown);
}

}  // namespace

void FillResultRows(QWidget* form, const QString& side, const std::array<TResultsRow, 11>& rows) {
    for (int r = 1; r <= 10; ++r) {
        const TResultsRow& row = rows[static_cast<std::size_t>(r)];
        const std::pair<const char*, const std::string*> cells[] = {
            {"Name", &row.leader}, {"Brigades", &row.brigades}, {"Casualties", &row.casualties}, {"Disruption", &row.disruption}};
        for (const auto& [cell, text] : cells)
            ShowIf(form->findChild<TElLabel*>(side + QLatin1String(cell) + QString::number(r)), *text, row.shown);
    }
}

TResolv::TResolv(const TBattleResultsView& v, const TBattleAnalysisView& analysis, QWidget* parent)
    : TBattleForm(parent), ui_(std::make_unique<Ui::TResolv>()), analysis_(analysis) {
    ui_->setupUi(this);
    Dress("bg_battle_results.bmp");
    for (TElLabel* label : findChildren<TElLabel*>()) label->setFont(BattleFont(11));
    for (const QString& side : {QStringLiteral("Union"), QStringLiteral("Confederate")})
        for (int r = 1; r <= 10; ++r) findChild<TElLabel*>(side + QStringLiteral("Name%1").arg(r))->setFont(BattleFont(11, true));
    for (TElLabel* label : {ui_->Label43, ui_->Label50}) label->setFont(BattleFont(15, true));
    for (TElLabel* label : {ui_->Label49, ui_->Label53}) label->setFont(BattleFont(13));
    for (TElLabel* label : {ui_->Label1, ui_->Label2}) label->setFont(BattleFont(14, true, true));
    for (TElLabel* label : {ui_->Label44, ui_->Label45}) label->setFont(BattleFont(13, true));
    for (TElLabel* label : {ui_->Label47, ui_->Label48}) label->setFont(BattleFont(12));
    for (TElLabel* label : std::initializer_list<TElLabel*>{ui_->Label51, ui_->Label46, ui_->Label54, ui_->Label55})
        label->setFont(BattleFont(10, true));
    for (TElGraphicButton* button : {ui_->Button1, ui_->Button2}) button->setFont(BattleFont(14, true));

    setWindowTitle(ToQString(v.caption));
    ShowButton(ui_->Button1, v.analysis);
    ShowButton(ui_->Button2, v.ok);
    ui_->Label1->SetCaption(ToQString(v.unionHeading));
    ui_->Label2->SetCaption(ToQString(v.confederateHeading));
    ui_->Label51->SetCaption(ToQString(v.unionColumns));
    ui_->Label46->SetCaption(ToQString(v.confederateColumns));
    PlaceOverResultCells(ui_->Label51, this, QStringLiteral("Union"));
    PlaceOverResultCells(ui_->Label46, this, QStringLiteral("Confederate"));
    ui_->Label54->SetCaption(ToQString(v.unionSubHeader));
    ui_->Label55->SetCaption(ToQString(v.confederateSubHeader));
    for (const auto& [label, text] : {std::pair{ui_->Label43, &v.initiative}, std::pair{ui_->Label49, &v.intensity},
                                      std::pair{ui_->Label44, &v.unionLeader}, std::pair{ui_->Label45, &v.confederateLeader},
                                      std::pair{ui_->Label47, &v.unionLosses}, std::pair{ui_->Label48, &v.confederateLosses}})
        ShowIf(label, *text, v.headerShown);
    FillResultRows(this, QStringLiteral("Union"), v.unionRows);
    FillResultRows(this, QStringLiteral("Confederate"), v.confederateRows);
    ShowIf(ui_->Label50, v.result, v.resultShown);
    ShowIf(ui_->Label53, v.weapons, v.weaponsShown);
    connect(ui_->Button1, &TElGraphicButton::OnClick, this, &TResolv::Button1Click);
}

TResolv::~TResolv() = default;

void TResolv::Button1Click() {
    ShowBattleAnalysisDialog(analysis_);
    ui_->Button1->setEnabled(false);
}

void ShowBattleResultsDialog(const TBattleResultsView& results, const TBattleAnalysisView& analysis) {
    TResolv form(results, analysis);
    form.ShowModal();
}

}  // namespace kvt::gui
