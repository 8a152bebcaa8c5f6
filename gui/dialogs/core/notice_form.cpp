// Caption, picture, placement, lines and cursors shared by the notice dialogs.
#include "gui/dialogs/core/notice_form.h"

#include "engine/world/notice.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/cursor.h"
#include "gui/platform/fonts.h"
#include "gui/ui/graphic_button.h"
#include "gui/ui/image_form.h"
#include "gui/ui/labels.h"

namespace kvt::gui {

TNoticeForm::TNoticeForm(int kind, const char* background, QWidget* parent)
    : TForm(parent), kind_(kind), look_(NoticeLayoutOf(kind)), background_(background) {}

void TNoticeForm::Prepare(TImage* image1, TElGraphicButton* button1) {
    setFixedSize(size());
    MakeBorderless(*this, kind_ == 0);
    if (look_.captionText != 0) setWindowTitle(GameText(look_.captionText));
    if (look_.buttonText != 0 && button1) button1->SetCaption(GameText(look_.buttonText));
    if (image1) {
        image1->setGeometry(rect());
        image1->SetPicture(LoadDialogPicture(QString::fromLatin1(background_), size()));
    }
    const QFont lineFont = MakeFont(QStringLiteral("Times New Roman"), -16, true);
    for (TElLabel* label : findChildren<TElLabel*>()) label->setFont(lineFont);
    CentreOnScreen(*this);
}

void TNoticeForm::ShowLines(const std::array<TElLabel*, 5>& lines) {
    for (int n = 1; n <= 4; ++n) {
        lines[n]->SetCaption(ToQString(EventNotice.Line(n).str()));
        lines[n]->show();
    }
}

void TNoticeForm::Execute() {
    FillNotice();
    SetScreenCursor(crDefault);
    ShowModal();
    // Inside a turn the hourglass comes back for the processing that follows.
    if (look_.hourglassAfter) SetScreenCursor(crHourGlass);
    WriteAnswer();
}

}  // namespace kvt::gui
