// The command button of the dialogs ("OK", "Done", "Execute"): a self-painting push button with a
// caption and an optional glyph, a 3-D, flat or themed frame, optional latching (Down, GroupIndex,
// IsSwitch), an optional drop-down arrow part with a pull-down menu, sounds and background
// pictures. A click sets the form's modal result from ModalResult and raises OnClick; the form
// closes once the handler has returned. Nothing here is touched after a handler that may have
// destroyed the button.
#pragma once

#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QString>

#include <optional>
#include <vector>

#include "gui/platform/form.h"
#include "gui/platform/image_list.h"
#include "gui/ui/button_glyph.h"
#include "gui/ui/control_events.h"
#include "gui/ui/control_links.h"
#include "gui/ui/money_flat.h"
#include "gui/ui/published_enums.h"
#include "gui/ui/themed_control.h"

namespace kvt::gui {

class TCustomElGraphicButton : public TDragEvents<TElWidget, TCustomElGraphicButton>,
                               public TDialogKeyTarget,
                               public TMoneyFlatLook {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
    Q_PROPERTY(bool Cancel READ Cancel WRITE SetCancel)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(bool Down READ GetDown WRITE SetDown)
    Q_PROPERTY(bool IsSwitch READ IsSwitch WRITE SetIsSwitch)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
    Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE SetAllowAllUp)
    Q_PROPERTY(int Margin READ Margin WRITE SetMargin)
    Q_PROPERTY(int Spacing READ Spacing WRITE SetSpacing)
    Q_PROPERTY(bool ShowBorder READ ShowBorder WRITE SetShowBorder)
    Q_PROPERTY(bool ThinFrame READ ThinFrame WRITE SetThinFrame)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool UseArrow READ UseArrow WRITE SetUseArrow)
    Q_PROPERTY(bool MoneyFlat READ MoneyFlat WRITE SetMoneyFlat)
    Q_PROPERTY(bool UseXPThemes READ UseXPThemes WRITE SetUseXPThemes)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(kvt::gui::TButtonLayout Layout READ Layout WRITE SetLayoutValue)
    Q_PROPERTY(bool ShowGlyph READ ShowGlyph WRITE SetShowGlyph)
    Q_PROPERTY(bool ShowText READ ShowText WRITE SetShowText)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE SetNumGlyphs)
    Q_PROPERTY(int ImageIndex READ ImageIndex WRITE SetImageIndex)
    Q_PROPERTY(bool UseImageList READ UseImageList WRITE SetUseImageList)
    Q_PROPERTY(bool UseIcon READ UseIcon WRITE SetUseIcon)
    Q_PROPERTY(kvt::gui::TPopupPlace PopupPlace READ PopupPlace WRITE SetPopupPlaceValue)
    Q_PROPERTY(bool DisableAutoPopup READ DisableAutoPopup WRITE SetDisableAutoPopup)
    Q_PROPERTY(uint MoneyFlatInactiveColor READ MoneyFlatInactiveColor WRITE SetMoneyFlatInactiveColor)
    Q_PROPERTY(uint MoneyFlatActiveColor READ MoneyFlatActiveColor WRITE SetMoneyFlatActiveColor)
    Q_PROPERTY(uint MoneyFlatDownColor READ MoneyFlatDownColor WRITE SetMoneyFlatDownColor)
    Q_PROPERTY(bool AdjustSpaceForGlyph READ AdjustSpaceForGlyph WRITE SetAdjustSpaceForGlyph)
    Q_PROPERTY(bool ShadowFollowsColor READ ShadowFollowsColor WRITE SetShadowFollowsColor)
    Q_PROPERTY(bool ShadowsUseCustom READ ShadowsUseCustom WRITE SetShadowsUseCustom)
    Q_PROPERTY(uint ShadowBtnHighlight READ ShadowBtnHighlight WRITE SetShadowBtnHighlight)
    Q_PROPERTY(uint ShadowBtnShadow READ ShadowBtnShadow WRITE SetShadowBtnShadow)
    Q_PROPERTY(uint ShadowBtnDkShadow READ ShadowBtnDkShadow WRITE SetShadowBtnDkShadow)
    Q_PROPERTY(kvt::gui::TElTextDrawType TextDrawType READ TextDrawType WRITE SetTextDrawTypeValue)
    Q_PROPERTY(bool OldStyled READ OldStyled WRITE SetOldStyled)
    Q_PROPERTY(bool BackgroundDrawBorder READ BackgroundDrawBorder WRITE SetBackgroundDrawBorder)
    Q_PROPERTY(QString DownSound MEMBER DownSound)
    Q_PROPERTY(QString UpSound MEMBER UpSound)
    Q_PROPERTY(QString ClickSound MEMBER ClickSound)
    Q_PROPERTY(QString ArrowClickSound MEMBER ArrowClickSound)
    Q_PROPERTY(QImage Glyph READ Glyph WRITE SetGlyph)
    Q_PROPERTY(QImage Icon READ Icon WRITE SetIcon)
    Q_PROPERTY(QImage Background READ Background WRITE SetBackground)
    Q_PROPERTY(QImage DownBackground READ DownBackground WRITE SetDownBackground)
    Q_PROPERTY(kvt::gui::TImageList* Images READ Images WRITE SetImages)
    Q_PROPERTY(kvt::gui::TImageList* HotImages READ HotImages WRITE SetHotImages)
    Q_PROPERTY(kvt::gui::TImageList* DownImages READ DownImages WRITE SetDownImages)
    Q_PROPERTY(kvt::gui::TImageList* DisabledImages READ DisabledImages WRITE SetDisabledImages)
    Q_PROPERTY(QMenu* PullDownMenu READ PullDownMenu WRITE SetPullDownMenu)
    Q_PROPERTY(kvt::gui::TElSoundMapLink* SoundMap READ SoundMap WRITE SetSoundMap)
    Q_PROPERTY(kvt::gui::TElImageFormLink* ImageForm READ ImageForm WRITE SetImageForm)
public:
    explicit TCustomElGraphicButton(QWidget* parent = nullptr);
    ~TCustomElGraphicButton() override;

    const QString& Caption() const { return caption_; }
    // Stores a different text (a CR LF pair makes it multi-line) and repaints.
    void SetCaption(const QString& text);
    bool MultiLine() const { return multiLine_; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }

    // 0 up, 1 disabled, 2 down, 3 exclusive (latched), 4 arrow down.
    int State() const { return state_; }
    bool Tracking() const { return tracking_; }
    bool MouseInControl() const { return mouseInControl_; }
    bool MouseOverArrow() const { return mouseOverArrow_; }
    bool MenuShown() const { return menuShown_; }

    virtual bool GetDown() const { return down_; }
    // Before the button is first shown (while its layout is being read) a Down that GroupIndex or
    // IsSwitch, set later, would allow is kept and applied when the button is shown.
    virtual void SetDown(bool value);
    bool IsSwitch() const { return isSwitch_; }
    void SetIsSwitch(bool value) { isSwitch_ = value; }
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);

    bool Flat() const { return flat_; }
    virtual void SetFlat(bool value);
    bool OldStyled() const { return oldStyled_; }
    void SetOldStyled(bool value);
    bool ThinFrame() const { return thinFrame_; }
    void SetThinFrame(bool value);
    bool ShowBorder() const { return showBorder_; }
    void SetShowBorder(bool value);
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);
    TElTextDrawType TextDrawType() const { return textDrawType_; }
    void SetTextDrawType(TElTextDrawType value);

    bool ShadowsUseCustom() const { return shadowsUseCustom_; }
    void SetShadowsUseCustom(bool value);
    bool ShadowFollowsColor() const { return shadowFollowsColor_; }
    void SetShadowFollowsColor(bool value);
    TColor ShadowBtnHighlight() const { return shadowHighlight_; }
    TColor ShadowBtnShadow() const { return shadowShadow_; }
    TColor ShadowBtnDkShadow() const { return shadowDkShadow_; }
    void SetShadowBtnHighlight(TColor value);
    void SetShadowBtnShadow(TColor value);
    void SetShadowBtnDkShadow(TColor value);

    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return margin_; }
    void SetMargin(int value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    bool ShowGlyph() const { return showGlyph_; }
    void SetShowGlyph(bool value);
    bool ShowText() const { return showText_; }
    void SetShowText(bool value);
    bool AdjustSpaceForGlyph() const { return adjustSpaceForGlyph_; }
    void SetAdjustSpaceForGlyph(bool value);

    const QImage& Glyph() const { return glyph_.Glyph(); }
    void SetGlyph(const QImage& bitmap);
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int value);
    TElButtonGlyph& ButtonGlyph() { return glyph_; }
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* list);
    TImageList* HotImages() const { return hotImages_; }
    void SetHotImages(TImageList* list);
    TImageList* DownImages() const { return downImages_; }
    void SetDownImages(TImageList* list);
    TImageList* DisabledImages() const { return disabledImages_; }
    void SetDisabledImages(TImageList* list);
    int ImageIndex() const { return glyph_.ImageIndex(); }
    void SetImageIndex(int value);
    bool UseImageList() const { return useImageList_; }
    void SetUseImageList(bool value);
    const QImage& Icon() const { return glyph_.Icon(); }
    void SetIcon(const QImage& icon) { glyph_.SetIcon(icon); }
    bool UseIcon() const { return useIcon_; }
    void SetUseIcon(bool value);
    const QImage& Background() const { return background_; }
    void SetBackground(const QImage& picture);
    const QImage& DownBackground() const { return downBackground_; }
    void SetDownBackground(const QImage& picture);
    bool BackgroundDrawBorder() const { return backgroundDrawBorder_; }
    void SetBackgroundDrawBorder(bool value);

    bool UseArrow() const { return useArrow_; }
    virtual void SetUseArrow(bool value);
    // While an item of the open menu is highlighted its status tip is the application's hint; F1
    // on it closes the menu and opens the help at the item's "HelpContext" (a number).
    QMenu* PullDownMenu() const { return pullDownMenu_; }
    void SetPullDownMenu(QMenu* menu);
    TPopupPlace PopupPlace() const { return popupPlace_; }
    void SetPopupPlace(TPopupPlace value) { popupPlace_ = value; }
    bool DisableAutoPopup() const { return disableAutoPopup_; }
    void SetDisableAutoPopup(bool value) { disableAutoPopup_ = value; }
    // Where the pull-down menu opens, in screen coordinates.
    QPoint PopupPoint() const;

    TElSoundMapLink* SoundMap() const { return soundMap_; }
    void SetSoundMap(TElSoundMapLink* map) { soundMap_ = map; }
    // Takes the button's background from an image form; its changes repaint the button.
    TElImageFormLink* ImageForm() const { return imageForm_; }
    void SetImageForm(TElImageFormLink* form);
    QString DownSound, UpSound, ClickSound, ArrowClickSound;

    // A new button has a colour of its own (clBtnFace) and its parent's font.
    bool ParentColor() const { return look_.ParentColor(); }
    void SetParentColor(bool value) { look_.SetParentColor(value); }
    bool ParentFont() const { return look_.ParentFont(); }
    void SetParentFont(bool value) { look_.SetParentFont(value); }

    bool UseXPThemes() const { return useXPThemes_; }
    void SetUseXPThemes(bool value);
    bool IsThemed() const { return useXPThemes_ && buttonTheme_ != 0 && arrowTheme_ != 0; }
    int ButtonThemeState() const;
    int ArrowThemeState() const;
    // 13 without a theme; else the themed arrow part's width.
    int GetArrowWidth() const;

    // The one click path of mouse release, Escape and accelerators.
    void ButtonClick(bool isArrow);

    bool DialogKey(int key, Qt::KeyboardModifiers modifiers) override;
    bool DialogChar(QChar key) override;
    bool IsCancelControl() const override { return cancel_; }

    QSize sizeHint() const override { return QSize(75, 25); }

signals:
    void OnClick();
    void OnArrowClick();
    // The class library's events: raised before the button's own handling of the same input.
    void OnDblClick();
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void OnDragOver(QObject* source, int x, int y, kvt::gui::TDragState state, bool* accept);
    void OnDragDrop(QObject* source, int x, int y);
    void OnStartDrag();
    void OnEndDrag(QObject* target, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void CreateWnd() override;
    void ColorChanged() override;
    void FontColorChanged() override;
    void ParentColorChanged() override { look_.AdoptColor(); }
    void ParentFontChanged() override { look_.AdoptFont(); }

private:
    // A layout's number outside the enumeration takes its first value.
    void SetLayoutValue(TButtonLayout v) { SetLayout(v < blGlyphLeft || v > blGlyphBottom ? blGlyphLeft : v); }
    void SetPopupPlaceValue(TPopupPlace v) { SetPopupPlace(v < ppDown || v > ppTop ? ppDown : v); }
    void SetTextDrawTypeValue(TElTextDrawType v) { SetTextDrawType(v < tdtNormal || v > tdtRaised ? tdtNormal : v); }
    // The button's own press and release, after the class library's events.
    void Press(QMouseEvent* event);
    void PlaySound(const QString& name);
    bool Pressed() const { return (down_ && isSwitch_) || state_ == kStateDown || state_ == kStateExclusive; }
    int ArrowZone() const { return flat_ ? 11 : 15; }
    bool InArrowZone(int x) const { return x >= width() - ArrowZone() && x <= width(); }
    void NotifyGroup();
    void GroupButtonPressed(TCustomElGraphicButton* sender);
    void MouseEnterProcessing();
    void MouseLeaveProcessing();
    void ResyncHover();
    void OpenButtonThemes();
    void CloseButtonThemes();
    void CancelPulldown();
    // Runs the pull-down menu, with its hints and help, until it closes.
    void RunPullDownMenu(QMenu* menu);
    // The menu and its submenus report their highlighted items and F1 to the button while it
    // runs; UnwatchMenus lets them go once it has closed.
    void WatchMenu(QMenu* menu);
    void UnwatchMenus();
    void MenuItemHighlighted(QAction* item);
    void DeriveShadowColors();
    void ImagesChanged();
    void PaintOwnFrame(QPainter& p, QRect& r);

    QString caption_;
    bool multiLine_ = false;
    int modalResult_ = 0;
    bool cancel_ = false;
    int state_ = kStateUp;
    bool down_ = false;
    // Down asked for before the first showing.
    bool downWanted_ = false;
    bool applyingWanted_ = false;
    bool isSwitch_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool tracking_ = false;
    bool mouseInControl_ = false;
    bool mouseOverArrow_ = false;
    bool menuShown_ = false;
    bool menuClosedOverArrow_ = false;
    // The help context asked for with F1 while the menu was open, shown once it has closed.
    std::optional<int> menuHelp_;
    std::vector<QPointer<QMenu>> watchedMenus_;
    int pressedPart_ = 0;
    bool flat_ = false;
    bool oldStyled_ = false;
    bool thinFrame_ = false;
    bool showBorder_ = true;
    bool transparent_ = false;
    TElTextDrawType textDrawType_ = tdtNormal;
    bool shadowsUseCustom_ = false;
    bool shadowFollowsColor_ = true;
    TColor shadowHighlight_ = 0xF7F7F5u;
    TColor shadowShadow_ = 0x767A60u;
    TColor shadowDkShadow_ = 0x595C48u;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    bool showGlyph_ = true;
    bool showText_ = true;
    bool adjustSpaceForGlyph_ = true;
    TElButtonGlyph glyph_;
    QPointer<TImageList> images_, hotImages_, downImages_, disabledImages_;
    bool useImageList_ = false;
    bool useIcon_ = false;
    QImage background_, downBackground_;
    bool backgroundDrawBorder_ = false;
    bool useArrow_ = false;
    QPointer<QMenu> pullDownMenu_;
    TPopupPlace popupPlace_ = ppDown;
    bool disableAutoPopup_ = false;
    QPointer<TElSoundMapLink> soundMap_;
    QPointer<TElImageFormLink> imageForm_;
    bool useXPThemes_ = false;
    HTHEME buttonTheme_ = 0;
    HTHEME arrowTheme_ = 0;
    TParentLook look_{this};
};

class TElGraphicButton : public TCustomElGraphicButton {
    Q_OBJECT
public:
    using TCustomElGraphicButton::TCustomElGraphicButton;
};

// The menu-bar height that a pull-down menu opening upward steps over per top-level item.
constexpr int kMenuBarHeight = 19;

}  // namespace kvt::gui
