// The battle dialogs' frame, picture and face.
#include "gui/dialogs/combat/battle_form.h"

#include <QFontMetrics>

#include "engine/combat/battle_setup.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/fonts.h"
#include "gui/ui/graphic_button.h"
#include "gui/ui/labels.h"

namespace kvt::gui {

TBattleForm::TBattleForm(QWidget* parent) : TForm(parent) {}

void TBattleForm::Dress(const char* picture) {
    setFixedSize(size());
    MakeBorderless(*this);
    background_ = LoadDialogPicture(QString::fromLatin1(picture), size());
    CentreOnScreen(*this);
}

void TBattleForm::paintEvent(QPaintEvent*) {
    if (!PaintDialogPicture(*this, background_)) PaintRaisedEdge(*this);
}

QFont BattleFont(int pixels, bool bold, bool underline) {
    QFont font = MakeFont(QStringLiteral("Times New Roman"), -pixels, bold);
    font.setUnderline(underline);
    return font;
}

void ShowCaption(TElLabel* label, const std::optional<std::string>& text) {
    label->SetCaption(text ? ToQString(*text) : QString());
    label->setVisible(text.has_value());
}

void FitCaptionToWidth(TElLabel* label) {
    QFont font = label->font();
    for (int stretch = QFont::Unstretched; stretch >= QFont::Condensed; stretch -= 5) {
        font.setStretch(stretch);
        if (QFontMetrics(font).horizontalAdvance(label->Caption()) <= label->width()) break;
    }
    label->setFont(font);
}

void ShowButton(TElGraphicButton* button, const TDialogButton& state) {
    button->SetCaption(ToQString(state.caption));
    button->setVisible(state.visible);
    button->setEnabled(state.enabled);
}

}  // namespace kvt::gui
