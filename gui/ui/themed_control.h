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
    // Stores a different colour, then tells the child controls (their ParentColor follows it).
    void SetColor(TColor color);
    // The colour of the control's text (the font's colour in the layouts).
    TColor FontColor() const { return fontColor_; }
    // Stores a different font colour, then tells the child controls (their ParentFont follows it).
    void SetFontColor(TColor color);
    // The control's window exists from its first showing until it is destroyed.
    bool HandleAllocated() const { return created_; }

protected:
    bool event(QEvent* event) override;
    // The window was just created (first showing).
    virtual void CreateWnd() {}
    virtual void ColorChanged() { update(); }
    virtual void FontColorChanged() { update(); }
    // The parent control's colour or font colour changed.
    virtual void ParentColorChanged() {}
    virtual void ParentFontChanged() {}
    virtual void ParentCtl3DChanged() {}
    // A control with a Ctl3D of its own tells its child controls when it changes.
    void NotifyCtl3DChanged();

private:
    TColor color_ = clBtnFace;
    TColor fontColor_ = clBtnText;
    bool created_ = false;
};

// The colour and the font colour a control takes from its parent: a library control's own, else
// the parent's palette (as the system colour when it is one).
TColor ParentColorOf(const QWidget* control);
TColor ParentFontColorOf(const QWidget* control);

// ParentColor and ParentFont of a control. While ParentColor is set the control shows its
// parent's colour, and while ParentFont is set its parent's font and font colour; giving the
// control a colour (a font, a font colour) of its own clears the flag. The control forwards its
// colour, font and parent changes here.
class TParentLook {
public:
    explicit TParentLook(TElWidget* control) : control_(control) {}

    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);

    // The control's own colour or font colour was set.
    void ColorSet();
    void FontColorSet();
    // A FontChange event reached the control.
    void FontChanged();
    // The parent changed, or its colour, palette or font did.
    void AdoptColor();
    void AdoptFont();

private:
    TElWidget* control_;
    bool parentColor_ = false;
    bool parentFont_ = false;
    bool adopting_ = false;
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
