// The combat-resolution dialog of a field battle: the place, both sides' commanders, the ground
// and the weather, the intensity buttons and Execute. The buttons call the engine's handlers; the
// dialog closes only once Execute's handler has fought the battle.
#pragma once

#include <memory>

#include "engine/combat/battle_setup.h"
#include "gui/dialogs/combat/battle_form.h"

namespace Ui {
class Tquickrez;
}

namespace kvt::gui {

class Tquickrez final : public TBattleForm {
    Q_OBJECT
public:
    explicit Tquickrez(TCombatResolution& dialog, QWidget* parent = nullptr);
    ~Tquickrez() override;

    void Button3Click();
    void Button4Click();
    void Button1Click();

private:
    // Shows the view as the last handler left it.
    void ShowView();

    std::unique_ptr<Ui::Tquickrez> ui_;
    TCombatResolution& dialog_;
};

void RunCombatResolutionDialog(TCombatResolution& dialog);

}  // namespace kvt::gui
