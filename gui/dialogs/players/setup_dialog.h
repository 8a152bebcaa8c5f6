// The new-game setup dialog: who plays each side, the kind of game and the options. It only
// collects the choices; the engine writes them into the game (ApplySetup).
#pragma once

#include <memory>

#include "engine/players/game_setup.h"
#include "gui/platform/form.h"

namespace Ui {
class TSetUp;
}

namespace kvt::gui {

class TElRadioButton;

class TSetUp final : public TForm {
    Q_OBJECT
public:
    explicit TSetUp(QWidget* parent = nullptr);
    ~TSetUp() override;

    // The rows as they stand; a hidden row counts as not chosen.
    TSetupChoices Choices() const;
    // Done has been pressed: the dialog cannot be left any other way.
    bool Finished() const { return finished_; }

    void RadioButton3Click();
    void RadioButton4Click();
    void RadioButton5Click();
    void RadioButton6Click();
    void RadioButton28Click();
    void RadioButton29Click();
    void Button1Click();

private:
    void CaptionFromTexts();
    void ShareClicksWithLabels();
    // A side's player row: its handicap row shows only for the computer; the play row only
    // between two persons.
    void PlayerChosen(bool person, QWidget* handicapRow, TElRadioButton* evenTerms);

    std::unique_ptr<Ui::TSetUp> ui_;
    bool finished_ = false;
};

TSetupChoices ShowGameSetupDialog();

}  // namespace kvt::gui
