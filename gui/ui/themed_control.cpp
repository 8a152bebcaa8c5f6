// Theme handles of windowed controls.
#include "gui/ui/themed_control.h"

#include <QEvent>

#include "gui/ui/library_tools.h"

namespace kvt::gui {

bool ThemesAvailable() { return WindowsVersion().LoadsVisualStyles && VisualStylesLoaded(); }

std::int32_t GetClassThemePartSize(const QString& className, QPainter* painter, int part, int state,
                                   const QRect* rect, int sizeKind, QSize& size) {
    IVisualStyles& vs = VisualStyles();
    const HTHEME theme = vs.OpenThemeData(nullptr, className);
    if (theme == 0) return E_NOTIMPL;
    std::int32_t result = E_NOTIMPL;
    try {
        result = vs.GetThemePartSize(theme, painter, part, state, rect, sizeKind, size);
    } catch (...) {
        vs.CloseThemeData(theme);
        throw;
    }
    vs.CloseThemeData(theme);
    return result;
}

TElWidget::TElWidget(QWidget* parent) : QWidget(parent) {}

void TElWidget::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    ColorChanged();
    for (QObject* o : children())
        if (auto* child = qobject_cast<TElWidget*>(o)) child->ParentColorChanged();
}

void TElWidget::SetFontColor(TColor color) {
    if (color == fontColor_) return;
    fontColor_ = color;
    FontColorChanged();
    for (QObject* o : children())
        if (auto* child = qobject_cast<TElWidget*>(o)) child->ParentFontChanged();
}

void TElWidget::NotifyCtl3DChanged() {
    for (QObject* o : children())
        if (auto* child = qobject_cast<TElWidget*>(o)) child->ParentCtl3DChanged();
}

namespace {
TColor FromPalette(const QWidget* w, QPalette::ColorRole role, TColor systemGuess) {
    const QColor c = w->palette().color(role);
    return c == ToQColor(systemGuess) ? systemGuess : FromQColor(c);
}
}  // namespace

TColor ParentColorOf(const QWidget* control) {
    const QWidget* parent = control ? control->parentWidget() : nullptr;
    if (!parent) return clBtnFace;
    if (const auto* owner = qobject_cast<const TElWidget*>(parent)) return owner->Color();
    return FromPalette(parent, parent->backgroundRole(), clBtnFace);
}

TColor ParentFontColorOf(const QWidget* control) {
    const QWidget* parent = control ? control->parentWidget() : nullptr;
    if (!parent) return clWindowText;
    if (const auto* owner = qobject_cast<const TElWidget*>(parent)) return owner->FontColor();
    return FromPalette(parent, parent->foregroundRole(), clWindowText);
}

void TParentLook::SetParentColor(bool value) {
    if (value == parentColor_) return;
    parentColor_ = value;
    AdoptColor();
}

void TParentLook::SetParentFont(bool value) {
    if (value == parentFont_) return;
    parentFont_ = value;
    AdoptFont();
}

void TParentLook::ColorSet() {
    if (!adopting_) parentColor_ = false;
}

void TParentLook::FontColorSet() {
    if (!adopting_) parentFont_ = false;
}

void TParentLook::FontChanged() {
    // A font set on the control itself (not one inherited from its parent) is its own.
    if (!adopting_ && control_->testAttribute(Qt::WA_SetFont)) parentFont_ = false;
}

void TParentLook::AdoptColor() {
    if (!parentColor_ || !control_->parentWidget()) return;
    adopting_ = true;
    control_->SetColor(ParentColorOf(control_));
    adopting_ = false;
}

void TParentLook::AdoptFont() {
    if (!parentFont_ || !control_->parentWidget()) return;
    adopting_ = true;
    if (control_->testAttribute(Qt::WA_SetFont)) control_->setFont(QFont());  // inherit the parent's again
    control_->SetFontColor(ParentFontColorOf(control_));
    adopting_ = false;
}

bool TElWidget::event(QEvent* e) {
    if (e->type() == QEvent::Show && !created_) {
        created_ = true;
        CreateWnd();
    }
    return QWidget::event(e);
}

TElXPThemedControl::TElXPThemedControl(QWidget* parent) : TElWidget(parent) {}

TElXPThemedControl::~TElXPThemedControl() {
    if (IsThemed()) CloseThemeHandle();
}

void TElXPThemedControl::OpenThemeHandle() {
    themeHandle_ = ThemesAvailable() ? VisualStyles().OpenThemeData(this, ThemeClassName()) : 0;
}

void TElXPThemedControl::CloseThemeHandle() {
    if (ThemesAvailable() && themeHandle_ != 0) VisualStyles().CloseThemeData(themeHandle_);
    themeHandle_ = 0;
}

void TElXPThemedControl::CreateWnd() {
    if (useXPThemes_ && !IsThemed()) OpenThemeHandle();
}

void TElXPThemedControl::RecreateWnd() {
    if (!HandleAllocated()) return;
    if (IsThemed()) CloseThemeHandle();
    if (useXPThemes_) OpenThemeHandle();
    update();
}

void TElXPThemedControl::SetUseXPThemes(bool value) {
    if (value == useXPThemes_) return;
    useXPThemes_ = value;
    if (ThemesAvailable() && HandleAllocated()) {
        if (value)
            OpenThemeHandle();
        else
            CloseThemeHandle();
        // The window is made anew with the new look: its handle is closed and opened again.
        RecreateWnd();
    }
}

bool TElXPThemedControl::event(QEvent* e) {
    if (e->type() == QEvent::ThemeChange) {
        // The user switched visual style: every handle is re-opened and the frame redrawn.
        if (ThemesAvailable() && useXPThemes_) {
            CloseThemeHandle();
            OpenThemeHandle();
            update();
        }
        e->accept();
        return true;
    }
    return TElWidget::event(e);
}

}  // namespace kvt::gui
