// The assault dialog: both sides' forces at a fort or city, then, after Execute, how the
// bombardment and the storm went. Execute calls the engine's handler; only OK closes it.
#pragma once

#include <memory>

#include "engine/combat/fort_assault.h"
#include "gui/dialogs/combat/battle_form.h"

namespace Ui {
class TFortAssault;
}

namespace kvt::gui {

class TFortAssault final : public TBattleForm {
    Q_OBJECT
public:
    explicit TFortAssault(::kvt::TFortAssault& assault, QWidget* parent = nullptr);
    ~TFortAssault() override;

    void Button1Click();

private:
    void ShowView();

    std::unique_ptr<Ui::TFortAssault> ui_;
    ::kvt::TFortAssault& assault_;
};

void RunFortAssaultDialog(::kvt::TFortAssault& assault);

}  // namespace kvt::gui
