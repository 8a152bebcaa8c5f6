// What each notice kind's dialog looks like and leaves behind: its layout, caption and button
// texts, the cursor it leaves, and the buttons of the foreign-affairs question. The window's
// dialogs and the headless frontends read the same table, so a notice answers alike in both.
#pragma once

#include <array>
#include <string>

namespace kvt {

enum class NoticeLayout {
    None,            // the kind shows nothing
    Plain,           // four lines and a closing button; the answer is left as the raiser set it
    PlainTenLabels,  // as plain, with six more labels kept hidden
    Choice,          // four lines and up to six radio choices; answers the checked one
    Buttons,         // four lines and up to five buttons; answers the pressed one
};

struct TNoticeDialogLook {
    NoticeLayout layout = NoticeLayout::None;
    int captionText = 0;   // the dialog's caption; 0 keeps the layout's own
    int buttonText = 0;    // Button1's caption; 0 keeps the layout's "OK"
    bool hourglassAfter = false;   // shown inside turn processing: the hourglass comes back on close
};

TNoticeDialogLook NoticeLayoutOf(int kind);

// The foreign-affairs buttons 1..5: Button1 is always there (the caption of choice 1, or text 477
// when choice 1 is not offered); Button2..5 only for their offered choices.
struct TNoticeButton {
    bool shown = false;
    std::string caption;
};
std::array<TNoticeButton, 6> ForeignAffairsButtons();  // [0] unused

}  // namespace kvt
