// The base of every notice dialog: the kind's caption, button text and background picture, a
// frameless window in the middle of the screen, and the notice's four lines. Each layout fills
// its own controls and writes back only the answer word.
#pragma once

#include <array>

#include "engine/view/notice_layouts.h"
#include "gui/platform/form.h"

namespace kvt::gui {

class TElGraphicButton;
class TElLabel;
class TImage;

class TNoticeForm : public TForm {
    Q_OBJECT
public:
    // Puts the notice on the controls, shows it modally with the cursors of its kind and writes
    // the answer back.
    void Execute();

protected:
    TNoticeForm(int kind, const char* background, QWidget* parent);

    // Called by each layout once its controls exist.
    void Prepare(TImage* image1, TElGraphicButton* button1);
    // Label1..Label4 shown, with lines 1..4 of the notice.
    static void ShowLines(const std::array<TElLabel*, 5>& lines);

    virtual void FillNotice() = 0;
    virtual void WriteAnswer() {}

private:
    int kind_;
    TNoticeDialogLook look_;
    const char* background_;
};

}  // namespace kvt::gui
