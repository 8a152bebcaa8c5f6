// The end-of-game dialog: both sides' tallies and the verdicts, Continue or End Game. What the
// choice changes in the game is the engine's (ContinueCampaign, EndGame).
#pragma once

#include <memory>
#include <optional>

#include "engine/turn/turn_end.h"
#include "engine/world/frontend.h"
#include "gui/platform/form.h"

namespace Ui {
class TVictory;
}

namespace kvt::gui {

class TVictory final : public TForm {
    Q_OBJECT
public:
    explicit TVictory(const TPostMortem& tallies, QWidget* parent = nullptr);
    ~TVictory() override;

    // The button pressed; none until one is.
    std::optional<PostMortemChoice> Choice() const { return choice_; }
    void Button1Click() { choice_ = PostMortemChoice::Continue; }
    void Button2Click() { choice_ = PostMortemChoice::EndGame; }

private:
    std::unique_ptr<Ui::TVictory> ui_;
    std::optional<PostMortemChoice> choice_;
};

// Shows the dialog until one of its two buttons is pressed: the game's end is the player's choice,
// never what a closed window leaves behind.
PostMortemChoice ShowPostMortemDialog(const TPostMortem& tallies);

}  // namespace kvt::gui
