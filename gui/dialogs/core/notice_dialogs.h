// The notice dialogs: one per notice kind, each showing EventNotice and its offered choices and
// leaving the player's answer in EventNotice.Answer.
#pragma once

namespace kvt::gui {

// Shows the dialog of the notice kind modally (the standard notice for kind 0).
void ShowNoticeDialog(int kind);

}  // namespace kvt::gui
