// The look the dialogs that raise forces share: a fixed size, the paper picture behind the
// controls, the serif face of the game's dialogs and a place in the middle of the screen.
#pragma once

#include <QString>

namespace kvt::gui {

class TForm;
class TImage;

// picture may be empty for a dialog without one.
void SetUpRaisingDialog(TForm& dialog, TImage* background, const QString& picture);

}  // namespace kvt::gui
