// Theme handles of windowed controls.
#include "gui/ui/themed_control.h"

#include <QEvent>

#include "gui/ui/library_tools.h"

namespace kvt::gui {

bool ThemesAvailable() {
    const TWindowsVersionFlags& v = WindowsVersion();
    return v.IsWinXPUp && VisualStyles().Loaded();
}

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
}

void TElWidget::SetFontColor(TColor color) {
    if (color == fontColor_) return;
    fontColor_ = color;
    update();
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
        update();
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
