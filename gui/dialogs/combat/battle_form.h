// What the battle dialogs share: a frameless form of its layout's size, centred on the screen, on
// its own background picture, with the game's serif face. Holds no rule of the game: the dialogs
// only show the engine's views and call its handlers.
#pragma once

#include <QFont>
#include <QImage>

#include <optional>
#include <string>

#include "gui/platform/form.h"

namespace kvt {
struct TDialogButton;
}

namespace kvt::gui {

class TElGraphicButton;
class TElLabel;

class TBattleForm : public TForm {
    Q_OBJECT
public:
    explicit TBattleForm(QWidget* parent = nullptr);

protected:
    // Called once the layout is set up: fixes the size, takes the picture drawn at that size and
    // places the dialog in the middle of the screen.
    void Dress(const char* picture);
    void paintEvent(QPaintEvent* event) override;

private:
    QImage background_;
};

// The battle dialogs' face at a character height in pixels.
QFont BattleFont(int pixels, bool bold = false, bool underline = false);
// A caption set and shown, or left hidden when there is none.
void ShowCaption(TElLabel* label, const std::optional<std::string>& text);
// A button as the engine's view has it: caption, shown, enabled.
void ShowButton(TElGraphicButton* button, const TDialogButton& state);
// A caption wider than its label is set in a narrower cut of the label's face until it fits, so
// the cells beside it keep their places.
void FitCaptionToWidth(TElLabel* label);

}  // namespace kvt::gui
