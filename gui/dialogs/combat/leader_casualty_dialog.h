// The leader-casualty dialog: the men who may succeed a fallen commander; a click on one shows his
// ratings (masked while he is too green to be judged). OK closes it, with or without a choice.
#pragma once

#include <memory>

#include "engine/combat/leader_casualties.h"
#include "gui/dialogs/combat/battle_form.h"

namespace Ui {
class TLdr_Dead;
}

namespace kvt::gui {

class TLdr_Dead final : public TBattleForm {
    Q_OBJECT
public:
    explicit TLdr_Dead(const TLeaderSuccessorView& view, QWidget* parent = nullptr);
    ~TLdr_Dead() override;

    void ListBox1Click();
    // The line clicked (from 0), -1 for none.
    int Chosen() const { return chosen_; }

private:
    std::unique_ptr<Ui::TLdr_Dead> ui_;
    const TLeaderSuccessorView& view_;
    int chosen_ = -1;
};

int ChooseLeaderSuccessorDialog(const TLeaderSuccessorView& view);

}  // namespace kvt::gui
