// The naval combat dialog: both sides' fleets and port at the start of an engagement, their losses,
// and a corps that went down with its transports. It only shows what the engine put in the view.
#pragma once

#include <memory>

#include "engine/combat/naval_combat.h"
#include "gui/platform/form.h"

namespace Ui {
class TFleetCbt;
}

namespace kvt::gui {

class TFleetCbt final : public TForm {
    Q_OBJECT
public:
    explicit TFleetCbt(const TFleetCombatView& view, QWidget* parent = nullptr);
    ~TFleetCbt() override;

private:
    std::unique_ptr<Ui::TFleetCbt> ui_;
};

void ShowFleetCombatDialog(const TFleetCombatView& view);

}  // namespace kvt::gui
