// The intensity choice of a field battle ("Battle"): each side's corps as far as cavalry scouted
// them, and the intensities the side's leader may order. It closes only by Ready; without a click
// the answer is Skirmish.
#pragma once

#include <memory>

#include "engine/combat/battle_setup.h"
#include "gui/dialogs/combat/battle_form.h"

namespace Ui {
class TBtl_Intensity;
}

namespace kvt::gui {

class TBtl_Intensity final : public TBattleForm {
    Q_OBJECT
public:
    explicit TBtl_Intensity(const TBattleIntensityView& view, QWidget* parent = nullptr);
    ~TBtl_Intensity() override;

    // The option clicked last, 1 (Skirmish) to 5 (All-Out).
    int Answer() const { return answer_; }

private:
    std::unique_ptr<Ui::TBtl_Intensity> ui_;
    int answer_ = 1;
};

int ChooseBattleIntensityDialog(const TBattleIntensityView& view);

}  // namespace kvt::gui
