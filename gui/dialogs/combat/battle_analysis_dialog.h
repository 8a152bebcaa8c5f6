// The analysis of a field battle: for each side its troops, the factors of the battle table with
// their printed weights, the casualties expected and inflicted and its corps' condition, and the
// outcome. It shows the engine's figures and changes nothing.
#pragma once

#include <memory>

#include "engine/combat/battle_analysis.h"
#include "gui/dialogs/combat/battle_form.h"

namespace Ui {
class TBattleAnalysis;
}

namespace kvt::gui {

class TBattleAnalysis final : public TBattleForm {
    Q_OBJECT
public:
    explicit TBattleAnalysis(const TBattleAnalysisView& view, QWidget* parent = nullptr);
    ~TBattleAnalysis() override;

private:
    std::unique_ptr<Ui::TBattleAnalysis> ui_;
};

void ShowBattleAnalysisDialog(const TBattleAnalysisView& view);

}  // namespace kvt::gui
