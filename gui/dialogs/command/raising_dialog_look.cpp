// The raising dialogs' shared look.
#include "gui/dialogs/command/raising_dialog_look.h"

#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/fonts.h"
#include "gui/platform/form.h"
#include "gui/ui/image_form.h"

namespace kvt::gui {

void SetUpRaisingDialog(TForm& dialog, TImage* background, const QString& picture) {
    dialog.setFixedSize(dialog.size());
    dialog.setFont(MakeFont(QStringLiteral("Times New Roman"), -14));
    if (background) {
        background->setGeometry(dialog.rect());
        background->SetPicture(LoadDialogPicture(picture, dialog.size()));
        background->lower();
    }
    CentreOnScreen(dialog);
}

}  // namespace kvt::gui
