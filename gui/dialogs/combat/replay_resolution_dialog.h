// The combat-resolution dialog of a recorded field battle, shown again in a playback: the lines of
// the record's header in the labels that showed them, and OK.
#pragma once

#include <memory>

#include "engine/combat/battle_replay.h"
#include "gui/dialogs/combat/battle_form.h"

namespace Ui {
class Treplay1;
}

namespace kvt::gui {

class Treplay1 final : public TBattleForm {
    Q_OBJECT
public:
    explicit Treplay1(const TReplayResolutionView& view, QWidget* parent = nullptr);
    ~Treplay1() override;

private:
    std::unique_ptr<Ui::Treplay1> ui_;
};

void ShowReplayResolutionDialog(const TReplayResolutionView& view);

}  // namespace kvt::gui
