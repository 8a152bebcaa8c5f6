// The new-brigades dialog: the side's brigades waiting for weapons, the cities each may be posted
// to and the weapons it may take. Arming and posting are the engine's (ArmAndPostBrigade).
#pragma once

#include <memory>
#include <vector>

#include "gui/platform/form.h"

namespace Ui {
class TRaiseBrgds;
}

namespace kvt::gui {

class TElRadioButton;

class TRaiseBrgds final : public TForm {
    Q_OBJECT
public:
    explicit TRaiseBrgds(QWidget* parent = nullptr);
    ~TRaiseBrgds() override;

    // Lists the waiting brigades afresh; the city list is emptied and disabled.
    void FillBrigadeChoices();
    // Captions, counts and the weapons the brigade may take.
    void ShowWeaponAvailability(int brigade);
    void ListBox1Click();
    void ListBox2Click();
    // A weapon kind 1..8 chosen: arm and post.
    void RadioButton1Click() { ArmWithKind(1); }
    void RadioButton2Click() { ArmWithKind(2); }
    void RadioButton3Click() { ArmWithKind(3); }
    void RadioButton4Click() { ArmWithKind(4); }
    void RadioButton5Click() { ArmWithKind(5); }
    void RadioButton6Click() { ArmWithKind(6); }
    void RadioButton7Click() { ArmWithKind(7); }
    void RadioButton8Click() { ArmWithKind(8); }

private:
    void ArmWithKind(int kind);
    TElRadioButton* Radio(int kind) const;
    void ClearWeaponChoice();

    std::unique_ptr<Ui::TRaiseBrgds> ui_;
    std::vector<int> brigades_;  // by row of ListBox1
    std::vector<int> cities_;    // by row of ListBox2
    int brigade_ = 0;
    int city_ = 0;
};

void ShowRaiseBrigades();

}  // namespace kvt::gui
