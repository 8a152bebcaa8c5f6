// The results of a field battle ("Results of Engagement"): the initiative and intensity, both
// commanders and losses, a row per corps, the outcome and the weapons taken. Analysis shows the
// battle's analysis and then closes it as OK does.
#pragma once

#include <array>
#include <memory>

#include "engine/combat/battle_analysis.h"
#include "engine/combat/battle_results.h"
#include "gui/dialogs/combat/battle_form.h"

namespace Ui {
class TResolv;
}

namespace kvt::gui {

class TResolv final : public TBattleForm {
    Q_OBJECT
public:
    TResolv(const TBattleResultsView& results, const TBattleAnalysisView& analysis, QWidget* parent = nullptr);
    ~TResolv() override;

    void Button1Click();

private:
    std::unique_ptr<Ui::TResolv> ui_;
    const TBattleAnalysisView& analysis_;
};

void ShowBattleResultsDialog(const TBattleResultsView& results, const TBattleAnalysisView& analysis);

// Rows 1..10 of one side ("Union" or "Confederate") into the cells named for them; a row not
// shown stays hidden. The replayed results share the cells' names.
void FillResultRows(QWidget* form, const QString& side, const std::array<TResultsRow, 11>& rows);

}  // namespace kvt::gui
