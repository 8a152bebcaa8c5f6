// Scroll-bar styles: the settings of one owner-drawn scroll bar (arrows, secondary buttons, button
// and thumb sizes, frames, grip bars, colours), gathered under one object so a control can keep
// them as a group, and the sizes derived from them: button size, thumb length and thumb position
// in pixels. The scroll bar paints from these settings; it takes no mouse input.
// Lengths are pixels along the bar; positions are in the bar's range from Min to Max.
#pragma once

#include <QPointer>

#include "gui/ui/control_links.h"
#include "gui/ui/themed_control.h"

namespace kvt::gui {

enum TElSecButtonsKind { sbkOpposite, sbkPage, sbkCustom };
enum TElScrollThumbMode { etmFixed, etmAuto };
enum TElScrollBarKind { sbHorizontal, sbVertical };

class TElScrollBar : public TElXPThemedControl {
    Q_OBJECT
public:
    // The system's arrow button length and thumb length of a scroll bar.
    static constexpr int kSystemButtonSize = 16;
    static constexpr int kSystemThumbSize = 16;

    explicit TElScrollBar(QWidget* parent = nullptr);

    // ---- settings (each write of an equal value changes nothing)
    TElScrollBarKind Kind() const { return kind_; }
    void SetKind(TElScrollBarKind value);
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    int Page() const { return page_; }
    void SetRange(int min, int max);
    void SetPosition(int value);
    void SetPage(int value);

    bool ThinFrames = false;
    bool DrawFrames = true;
    bool DrawArrowFrames = true;
    bool DrawBars = true;
    unsigned BarOffset = 2;
    TColor BarColor = clBtnShadow;
    TColor ArrowColor = clBtnText;
    TColor ArrowHotTrackColor = clHighlight;
    bool NoSunkenThumb = false;
    bool BlendBackground = true;
    bool ShowTrackHint = false;
    bool NoDisableButtons = false;
    bool OwnerDraw = false;
    TElSecButtonsKind SecondBtnKind = sbkOpposite;
    bool Flat = true;
    bool ActiveFlat = false;
    TColor HintColor = clInfoBk;
    TColor HintTextColor = clInfoText;
    bool SystemBkColor = true;

    TElImageFormLink* ImageForm() const { return imageForm_; }
    void SetImageForm(TElImageFormLink* form);

    bool ShowLeftArrows() const { return showLeftArrows_; }
    void SetShowLeftArrows(bool value);
    bool ShowRightArrows() const { return showRightArrows_; }
    void SetShowRightArrows(bool value);
    bool SecondaryButtons() const { return secondaryButtons_; }
    void SetSecondaryButtons(bool value);
    int MinThumbSize() const { return minThumbSize_; }
    // Accepted only above 0.
    void SetMinThumbSize(int value);
    TElScrollThumbMode ThumbMode() const { return thumbMode_; }
    void SetThumbMode(TElScrollThumbMode value);
    // Accepted only above 0.
    void SetThumbSize(int value);
    int StoredThumbSize() const { return thumbSize_; }
    // Accepted when at least 1 and, once shown, when two buttons still fit the bar.
    void SetButtonSize(int value);
    int StoredButtonSize() const { return buttonSize_; }
    bool UseSystemMetrics() const { return useSystemMetrics_; }
    void SetUseSystemMetrics(bool value);
    // The thickness: width of a vertical bar, height of a horizontal one.
    int Thickness() const { return kind_ == sbVertical ? width() : height(); }
    void SetThickness(int value);

    // ---- derived sizes
    // The bar's length in pixels.
    int Extent() const { return kind_ == sbVertical ? height() : width(); }
    int LeftButtonCount() const;
    int RightButtonCount() const;
    // The arrow buttons' length; buttons that do not fit share the length equally.
    int EffectiveButtonSize() const;
    // The fixed thumb length in use.
    int EffectiveThumbSize() const;
    // The thumb's length; 0 when it does not fit the track.
    int ThumbLength() const;
    // The thumb's start in pixels from the bar's start; the track's start when the page covers
    // the whole range.
    int ThumbPosition() const { return thumbPos_; }
    // Recomputes the thumb's place and repaints.
    void UpdateThumb();

protected:
    QString ThemeClassName() const override { return QStringLiteral("SCROLLBAR"); }
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void CreateWnd() override;

private:
    void ApplySystemMetrics();

    TElScrollBarKind kind_ = sbHorizontal;
    int min_ = 0, max_ = 100, position_ = 0, page_ = 0;
    bool showLeftArrows_ = true;
    bool showRightArrows_ = true;
    bool secondaryButtons_ = false;
    int minThumbSize_ = 4;
    TElScrollThumbMode thumbMode_ = etmAuto;
    int thumbSize_ = 0;
    int buttonSize_ = kSystemButtonSize;
    bool useSystemMetrics_ = true;
    int thumbPos_ = 0;
    QPointer<TElImageFormLink> imageForm_;
};

// The styles object: every property reads and writes the scroll bar it was made for, so a new
// object answers the scroll bar's own defaults. It must not outlive its scroll bar.
class TElScrollBarStyles : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool ActiveFlat READ ActiveFlat WRITE SetActiveFlat)
    Q_PROPERTY(bool BlendBackground READ BlendBackground WRITE SetBlendBackground)
    Q_PROPERTY(uint Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(int MinThumbSize READ MinThumbSize WRITE SetMinThumbSize)
    Q_PROPERTY(bool NoDisableButtons READ NoDisableButtons WRITE SetNoDisableButtons)
    Q_PROPERTY(bool NoSunkenThumb READ NoSunkenThumb WRITE SetNoSunkenThumb)
    Q_PROPERTY(bool OwnerDraw READ OwnerDraw WRITE SetOwnerDraw)
    Q_PROPERTY(bool SecondaryButtons READ SecondaryButtons WRITE SetSecondaryButtons)
    Q_PROPERTY(int SecondBtnKind READ SecondBtnKindValue WRITE SetSecondBtnKindValue)
    Q_PROPERTY(bool ShowLeftArrows READ ShowLeftArrows WRITE SetShowLeftArrows)
    Q_PROPERTY(bool ShowRightArrows READ ShowRightArrows WRITE SetShowRightArrows)
    Q_PROPERTY(bool ShowTrackHint READ ShowTrackHint WRITE SetShowTrackHint)
    Q_PROPERTY(int ThumbMode READ ThumbModeValue WRITE SetThumbModeValue)
    Q_PROPERTY(int ThumbSize READ ThumbSize WRITE SetThumbSize)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int ButtonSize READ ButtonSize WRITE SetButtonSize)
    Q_PROPERTY(bool UseSystemMetrics READ UseSystemMetrics WRITE SetUseSystemMetrics)
    Q_PROPERTY(uint ArrowColor READ ArrowColor WRITE SetArrowColor)
    Q_PROPERTY(uint ArrowHotTrackColor READ ArrowHotTrackColor WRITE SetArrowHotTrackColor)
    Q_PROPERTY(bool DrawFrames READ DrawFrames WRITE SetDrawFrames)
    Q_PROPERTY(bool DrawArrowFrames READ DrawArrowFrames WRITE SetDrawArrowFrames)
    Q_PROPERTY(bool DrawBars READ DrawBars WRITE SetDrawBars)
    Q_PROPERTY(uint BarOffset READ BarOffset WRITE SetBarOffset)
    Q_PROPERTY(uint BarColor READ BarColor WRITE SetBarColor)
    Q_PROPERTY(bool ThinFrames READ ThinFrames WRITE SetThinFrames)
    Q_PROPERTY(uint HintColor READ HintColor WRITE SetHintColor)
    Q_PROPERTY(uint HintTextColor READ HintTextColor WRITE SetHintTextColor)
    Q_PROPERTY(bool SystemBkColor READ SystemBkColor WRITE SetSystemBkColor)
    Q_PROPERTY(kvt::gui::TElImageFormLink* ImageForm READ ImageForm WRITE SetImageForm)
    Q_PROPERTY(bool UseXPThemes READ UseXPThemes WRITE SetUseXPThemes)
public:
    explicit TElScrollBarStyles(TElScrollBar* bar, QObject* owner = nullptr) : QObject(owner), bar_(bar) {}

    bool ActiveFlat() const { return bar_->ActiveFlat; }
    void SetActiveFlat(bool value);
    bool BlendBackground() const { return bar_->BlendBackground; }
    void SetBlendBackground(bool value);
    TColor Color() const { return bar_->Color(); }
    void SetColor(TColor value) { bar_->SetColor(value); }
    bool Flat() const { return bar_->Flat; }
    void SetFlat(bool value);
    int MinThumbSize() const { return bar_->MinThumbSize(); }
    void SetMinThumbSize(int value) { bar_->SetMinThumbSize(value); }
    bool NoDisableButtons() const { return bar_->NoDisableButtons; }
    void SetNoDisableButtons(bool value);
    bool NoSunkenThumb() const { return bar_->NoSunkenThumb; }
    void SetNoSunkenThumb(bool value);
    bool OwnerDraw() const { return bar_->OwnerDraw; }
    void SetOwnerDraw(bool value);
    bool SecondaryButtons() const { return bar_->SecondaryButtons(); }
    void SetSecondaryButtons(bool value) { bar_->SetSecondaryButtons(value); }
    TElSecButtonsKind SecondBtnKind() const { return bar_->SecondBtnKind; }
    void SetSecondBtnKind(TElSecButtonsKind value);
    bool ShowLeftArrows() const { return bar_->ShowLeftArrows(); }
    void SetShowLeftArrows(bool value) { bar_->SetShowLeftArrows(value); }
    bool ShowRightArrows() const { return bar_->ShowRightArrows(); }
    void SetShowRightArrows(bool value) { bar_->SetShowRightArrows(value); }
    bool ShowTrackHint() const { return bar_->ShowTrackHint; }
    void SetShowTrackHint(bool value) { bar_->ShowTrackHint = value; }
    TElScrollThumbMode ThumbMode() const { return bar_->ThumbMode(); }
    void SetThumbMode(TElScrollThumbMode value) { bar_->SetThumbMode(value); }
    int ThumbSize() const { return bar_->EffectiveThumbSize(); }
    void SetThumbSize(int value) { bar_->SetThumbSize(value); }
    int Width() const { return bar_->Thickness(); }
    void SetWidth(int value);
    int ButtonSize() const { return bar_->EffectiveButtonSize(); }
    void SetButtonSize(int value) { bar_->SetButtonSize(value); }
    bool UseSystemMetrics() const { return bar_->UseSystemMetrics(); }
    void SetUseSystemMetrics(bool value);
    TColor ArrowColor() const { return bar_->ArrowColor; }
    void SetArrowColor(TColor value);
    TColor ArrowHotTrackColor() const { return bar_->ArrowHotTrackColor; }
    void SetArrowHotTrackColor(TColor value);
    bool DrawFrames() const { return bar_->DrawFrames; }
    // Turning frames off turns the arrow frames off too; turning them on leaves those as they are.
    void SetDrawFrames(bool value);
    bool DrawArrowFrames() const { return bar_->DrawArrowFrames; }
    void SetDrawArrowFrames(bool value);
    bool DrawBars() const { return bar_->DrawBars; }
    void SetDrawBars(bool value);
    unsigned BarOffset() const { return bar_->BarOffset; }
    void SetBarOffset(unsigned value);
    TColor BarColor() const { return bar_->BarColor; }
    void SetBarColor(TColor value);
    bool ThinFrames() const { return bar_->ThinFrames; }
    void SetThinFrames(bool value);
    TColor HintColor() const { return bar_->HintColor; }
    void SetHintColor(TColor value) { bar_->HintColor = value; }
    TColor HintTextColor() const { return bar_->HintTextColor; }
    void SetHintTextColor(TColor value) { bar_->HintTextColor = value; }
    bool SystemBkColor() const { return bar_->SystemBkColor; }
    void SetSystemBkColor(bool value);
    TElImageFormLink* ImageForm() const { return bar_->ImageForm(); }
    void SetImageForm(TElImageFormLink* form) { bar_->SetImageForm(form); }
    bool UseXPThemes() const { return bar_->UseXPThemes(); }
    void SetUseXPThemes(bool value) { bar_->SetUseXPThemes(value); }

    // Copies the settings a styles object shares with another.
    void Assign(const TElScrollBarStyles& source);

signals:
    // Told after UseSystemMetrics or Width is written.
    void OnChange(kvt::gui::TElScrollBarStyles* sender);

private:
    int SecondBtnKindValue() const { return SecondBtnKind(); }
    void SetSecondBtnKindValue(int v) { SetSecondBtnKind(static_cast<TElSecButtonsKind>(v < 0 || v > 2 ? 0 : v)); }
    int ThumbModeValue() const { return ThumbMode(); }
    void SetThumbModeValue(int v) { SetThumbMode(v == 0 ? etmFixed : etmAuto); }

    template <class T>
    void Write(T& field, T value, bool repaint);
    TElScrollBar* bar_;
};

}  // namespace kvt::gui
