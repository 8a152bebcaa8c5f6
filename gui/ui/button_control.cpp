// Caption, transparency, look flags and accelerator of the check and radio items.
#include "gui/ui/button_control.h"

#include <QEvent>

#include "gui/platform/text_draw.h"
#include "gui/ui/library_tools.h"

namespace kvt::gui {

TElButtonControl::TElButtonControl(QWidget* parent) : TEventControl(parent), TMoneyFlatLook(this) {
    SetColor(clBtnFace);
    SetFontColor(clBtnText);
    look_.SetParentFont(true);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    setFocusPolicy(Qt::StrongFocus);
}

void TElButtonControl::SetCaption(const QString& text) {
    if (text == caption_) return;
    caption_ = text;
    TextChanged();
}

void TElButtonControl::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    setAttribute(Qt::WA_OpaquePaintEvent, !value);
    RecreateWnd();
}

void TElButtonControl::SetTextDrawType(TElTextDrawType value) {
    if (value == textDrawType_) return;
    textDrawType_ = value;
    repaint();
}

bool TElButtonControl::DrawsFocusRect() const { return !WindowsVersion().IsWin2000 || showFocusCue_; }
bool TElButtonControl::DrawsAccelerators() const { return !WindowsVersion().IsWin2000 || showAccelCue_; }

void TElButtonControl::Click() { emit OnClick(); }

bool TElButtonControl::DialogChar(QChar key) {
    if (!IsAccel(key, caption_) || !isVisible() || !isEnabled() || focusPolicy() == Qt::NoFocus) return false;
    Click();
    return true;
}

void TElButtonControl::ColorChanged() {
    look_.ColorSet();
    TEventControl::ColorChanged();
}

void TElButtonControl::FontColorChanged() {
    look_.FontColorSet();
    TEventControl::FontColorChanged();
}

void TElButtonControl::changeEvent(QEvent* event) {
    TEventControl::changeEvent(event);
    if (event->type() == QEvent::ParentChange || event->type() == QEvent::PaletteChange) {
        look_.AdoptColor();
        look_.AdoptFont();
    }
    if (event->type() == QEvent::FontChange) look_.FontChanged();
}

void TElButtonControl::moveEvent(QMoveEvent* event) {
    TElXPThemedControl::moveEvent(event);
    if (transparent_) update();  // what lies behind has changed
}

}  // namespace kvt::gui
