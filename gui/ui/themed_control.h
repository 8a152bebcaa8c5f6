// What every control of the library shares: a colour and a font colour of the library's kind,
// the notion of a window that exists once the control is first shown, and, for windowed controls,
// one visual-style handle kept open while that window exists. On this platform the visual-styles
// service is absent, so ThemesAvailable() is false and every control draws its own style.
#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>

#include "gui/platform/colors.h"
#include "gui/platform/visual_styles.h"

namespace kvt::gui {

// True once the visual-styles service was found at start-up on a system new enough for it.
bool ThemesAvailable();
// The part size of a theme class with no window: E_NOTIMPL when the class cannot be opened. The
// handle is closed again in every case.
std::int32_t GetClassThemePartSize(const QString& className, QPainter* painter, int part, int state,
                                   const QRect* rect, int sizeKind, QSize& size);

class TElWidget : public QWidget {
    Q_OBJECT
    Q_PROPERTY(uint Color READ Color WRITE SetColor)
    Q_PROPERTY(uint FontColor READ FontColor WRITE SetFontColor)
public:
    explicit TElWidget(QWidget* parent = nullptr);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    // The colour of the control's text (the font's colour in the layouts).
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor color);
    // The control's window exists from its first showing until it is destroyed.
    bool HandleAllocated() const { return created_; }

protected:
    bool event(QEvent* event) override;
    // The window was just created (first showing).
    virtual void CreateWnd() {}
    virtual void ColorChanged() { update(); }

private:
    TColor color_ = clBtnFace;
    TColor fontColor_ = clBtnText;
    bool created_ = false;
};

class TElXPThemedControl : public TElWidget {
    Q_OBJECT
    Q_PROPERTY(bool UseXPThemes READ UseXPThemes WRITE SetUseXPThemes)
public:
    explicit TElXPThemedControl(QWidget* parent = nullptr);
    ~TElXPThemedControl() override;

    bool UseXPThemes() const { return useXPThemes_; }
    virtual void SetUseXPThemes(bool value);
    HTHEME ThemeHandle() const { return themeHandle_; }
    bool IsThemed() const { return useXPThemes_ && themeHandle_ != 0; }
    // What re-creating the window does to the theme: the handle is closed and opened anew.
    void RecreateWnd();

protected:
    virtual QString ThemeClassName() const = 0;
    virtual void CloseThemeHandle();
    virtual void OpenThemeHandle();
    void CreateWnd() override;
    bool event(QEvent* event) override;

private:
    bool useXPThemes_ = true;
    HTHEME themeHandle_ = 0;
};

}  // namespace kvt::gui
