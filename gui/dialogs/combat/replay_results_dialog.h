// The results of a recorded field battle, shown again in a playback: the record's lines in the
// labels of the live results dialog, in smaller type, and OK. A line the record lacks leaves its
// label hidden.
#pragma once

#include <memory>

#include "engine/combat/battle_replay.h"
#include "gui/dialogs/combat/battle_form.h"

namespace Ui {
class TReplay2;
}

namespace kvt::gui {

class TReplay2 final : public TBattleForm {
    Q_OBJECT
public:
    explicit TReplay2(const TReplayResultsView& view, QWidget* parent = nullptr);
    ~TReplay2() override;

private:
    std::unique_ptr<Ui::TReplay2> ui_;
};

void ShowReplayResultsDialog(const TReplayResultsView& view);

}  // namespace kvt::gui
