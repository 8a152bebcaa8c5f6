// The dialogs' check boxes and radio buttons: self-painting items with a mark (system mark, flat or
// money-flat frame, a strip of six custom glyph cells, or the visual style) and a caption with a
// raised or shadowed effect. Radio buttons are exclusive among the radio buttons of one parent.
// Checking a radio button, by the player or by code, raises its OnClick once; focus alone checks a
// radio button only when it came from the keyboard (Tab or an arrow key), never from a dialog
// opening or a mouse press, so an order is never changed without the player choosing it.
#pragma once

#include <QEvent>
#include <QImage>
#include <QPointer>
#include <QString>

#include <memory>

#include "gui/platform/edges.h"
#include "gui/platform/image_list.h"
#include "gui/ui/alignment.h"
#include "gui/ui/button_control.h"
#include "gui/ui/control_links.h"
#include "gui/ui/html_render.h"

namespace kvt::gui {

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// The notice a check item sends up its parent chain when a radio button becomes checked and when
// the item is clicked: every ancestor, nearest first, receives it in its event() (a panel, group
// box or dialog that wants to know that one of its choices changed).
class TControlChangedEvent : public QEvent {
public:
    explicit TControlChangedEvent(QWidget* child) : QEvent(EventType()), child_(child) {}
    static QEvent::Type EventType();
    // The item that changed.
    QWidget* Child() const { return child_; }

private:
    QWidget* child_;
};

// Gives an HTML caption the control's font and colours as its defaults.
void PrepareHTMLDefaults(TElHTMLRender& render, const QFont& font, TColor color, TColor background);

// Its events: OnMouseUp comes after the release's own handling and its click; OnKeyDown before
// the item acts on the key (Space clicks); OnDblClick is published, yet never raised by an item:
// a double click reaches it as two clicks.
class TElCheckItem : public TElButtonControl, public TCheckSoundLink {
    Q_OBJECT
    Q_PROPERTY(int Alignment READ AlignmentValue WRITE SetAlignmentValue)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(bool FlatAlways READ FlatAlways WRITE SetFlatAlways)
    Q_PROPERTY(bool UseCustomGlyphs READ UseCustomGlyphs WRITE SetUseCustomGlyphs)
    Q_PROPERTY(bool HandleDialogKeys READ HandleDialogKeys WRITE SetHandleDialogKeys)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(bool IsHTML READ IsHTML WRITE SetIsHTML)
    Q_PROPERTY(QString CheckSound READ CheckSound WRITE SetCheckSound)
    Q_PROPERTY(bool UseImageList READ UseImageList WRITE SetUseImageList)
    Q_PROPERTY(QImage Glyph READ Glyph WRITE SetGlyph)
    Q_PROPERTY(kvt::gui::TElSoundMapLink* SoundMap READ SoundMap WRITE SetSoundMap)
    Q_PROPERTY(kvt::gui::TElImageFormLink* ImageForm READ ImageForm WRITE SetImageForm)
    Q_PROPERTY(kvt::gui::TImageList* Images READ Images WRITE SetImages)
public:
    explicit TElCheckItem(QWidget* parent = nullptr);
    ~TElCheckItem() override;

    TLeftRight Alignment() const { return alignment_; }
    void SetAlignment(TLeftRight value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool Flat() const { return flat_; }
    virtual void SetFlat(bool value);
    bool FlatAlways() const { return flatAlways_; }
    void SetFlatAlways(bool value);
    bool UseCustomGlyphs() const { return useCustomGlyphs_; }
    virtual void SetUseCustomGlyphs(bool value);
    // A strip of six equal cells: unchecked, unchecked disabled, checked, checked disabled, grayed,
    // grayed disabled. The pixel at a cell's bottom-left is its transparent colour.
    const QImage& Glyph() const { return glyph_; }
    virtual void SetGlyph(const QImage& strip);
    bool HandleDialogKeys() const { return handleDialogKeys_; }
    void SetHandleDialogKeys(bool value) { handleDialogKeys_ = value; }
    // Tab reaches only items with a tab stop; a radio button's tab stop follows its check.
    bool TabStop() const { return (focusPolicy() & Qt::TabFocus) != 0; }
    void SetTabStop(bool value);

    void SetTransparent(bool value) override;

    // The caption is a small HTML text (fonts, styles, colours, pictures) instead of plain text.
    bool IsHTML() const { return html_ != nullptr; }
    virtual void SetIsHTML(bool value);
    TElHTMLRender* HTMLRender() const { return html_.get(); }
    // Marks drawn from an image list (the glyph cell's index) instead of the system mark.
    TImageList* Images() const { return images_; }
    virtual void SetImages(TImageList* list);
    bool UseImageList() const { return useImageList_; }
    // Refused while there is no image list.
    virtual void SetUseImageList(bool value);
    // The form-wide background the item shows behind its mark and caption.
    TElImageFormLink* ImageForm() const { return imageForm_; }
    virtual void SetImageForm(TElImageFormLink* form);

    bool Hot() const { return hot_; }
    bool Pressed() const { return pressed_; }

    // The mark's size: 13 x 13, or the visual style's true size of the item's part.
    QSize GetCheckSize() const;
    // The height the item needs for its mark and caption.
    virtual int CalcItemHeight(bool multiLine) const;
    // Fits the item to its mark and caption, keeping its top-left corner (only once shown).
    void AdjustSize();
    // The change notice up the parent chain, then OnClick.
    void Click() override;

protected:
    // The themed part: 3 check box, 2 radio button.
    virtual int ThemePart() const { return 5; }
    // The themed state group (1 unchecked, 5 checked, 9 grayed) before the mouse offsets.
    virtual int ThemeStateBase() const { return 1; }
    // The glyph cell and image index of the current check state (0, 2 or 4), or -1 for none.
    virtual int GlyphCellBase() const { return -1; }
    // The system mark's flags for the current check state.
    virtual std::uint32_t FrameControlState() const { return DFCS_CHECKED; }
    virtual void DrawFlatCheckFrame(QPainter& p, const QRect& rect) = 0;
    virtual void DrawGlyph(QPainter& p, const QRect& dest, const QRect& source);
    virtual void GlyphChanged();
    // The mark's painted size: the style's first when themed.
    QSize MarkSize() const;
    // The size the item makes room for: glyphs and image lists first, themed or not.
    QSize LayoutMarkSize() const;

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    // The item's own use of a key after OnKeyDown: true when it took the key (a radio button
    // moves among its siblings on the arrows; Space clicks).
    virtual bool KeyDown(int key, Qt::KeyboardModifiers shift);
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void CreateWnd() override;
    void TextChanged() override;

    // The focus arrived from the keyboard: Tab, Shift+Tab or an arrow key among radio buttons.
    static bool KeyboardNavigationInProgress();
    // Sends TControlChangedEvent to every ancestor, nearest first.
    void NotifyChanged();
    // Space pressed on the item: a click (a check box plays its sound first).
    virtual void SpacePressed() { Click(); }

private:
    int AlignmentValue() const { return static_cast<int>(alignment_); }
    void SetAlignmentValue(int v) { SetAlignment(v == 0 ? taLeftJustify : taRightJustify); }
    bool RepaintsOnHover() const;
    void PaintCaption(QPainter& p, const QRect& captionRect, int part, int state);
    void PaintFocusRect(QPainter& p, const QRect& captionRect);
    // The caption's size: through the HTML renderer, or the text measurement (single line or not).
    QSize CaptionExtent(bool singleLine) const;
    void PrepareHTML(TColor defaultColor, TColor defaultBackground) const;

    TLeftRight alignment_ = taRightJustify;
    bool autoSize_ = true;
    bool flat_ = false;
    bool flatAlways_ = false;
    bool useCustomGlyphs_ = false;
    bool handleDialogKeys_ = false;
    bool hot_ = false;
    bool pressed_ = false;
    QImage glyph_;
    std::unique_ptr<TElHTMLRender> html_;
    QPointer<TImageList> images_;
    bool useImageList_ = false;
    QPointer<TElImageFormLink> imageForm_;
};

class TElCheckBox : public TElCheckItem {
    Q_OBJECT
    Q_PROPERTY(int State READ StateValue WRITE SetStateValue)
    Q_PROPERTY(bool AllowGrayed READ AllowGrayed WRITE SetAllowGrayed)
    Q_PROPERTY(bool Checked READ GetChecked WRITE SetChecked)
public:
    explicit TElCheckBox(QWidget* parent = nullptr);

    TCheckBoxState State() const { return state_; }
    // Grayed is refused unless AllowGrayed. Setting it from code raises no OnClick.
    void SetState(TCheckBoxState value);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value);
    bool GetChecked() const override { return state_ == cbChecked; }
    void SetChecked(bool value) override { SetState(value ? cbChecked : cbUnchecked); }
    // The next state in the click order: unchecked, (grayed,) checked, unchecked.
    void Toggle();
    void Click() override;

protected:
    int ThemePart() const override { return 3; }
    int ThemeStateBase() const override;
    int GlyphCellBase() const override;
    std::uint32_t FrameControlState() const override;
    void DrawFlatCheckFrame(QPainter& p, const QRect& rect) override;
    void SpacePressed() override;

private:
    int StateValue() const { return static_cast<int>(state_); }
    void SetStateValue(int v) { SetState(static_cast<TCheckBoxState>(v < 0 || v > 2 ? 0 : v)); }
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
};

class TElRadioButton : public TElCheckItem {
    Q_OBJECT
    Q_PROPERTY(bool Checked READ GetChecked WRITE SetChecked)
public:
    explicit TElRadioButton(QWidget* parent = nullptr);

    bool GetChecked() const override { return checked_; }
    // Checking unchecks every other radio button of the same parent and then raises OnClick;
    // unchecking raises nothing. An unchanged value changes nothing.
    void SetChecked(bool value) override;
    // An unchecked button becomes checked; a checked one stays so. OnClick is raised once.
    void Click() override;

protected:
    int ThemePart() const override { return 2; }
    int ThemeStateBase() const override { return checked_ ? 5 : 1; }
    int GlyphCellBase() const override { return checked_ ? 2 : 0; }
    std::uint32_t FrameControlState() const override;
    void DrawFlatCheckFrame(QPainter& p, const QRect& rect) override;
    bool KeyDown(int key, Qt::KeyboardModifiers shift) override;
    void focusInEvent(QFocusEvent* event) override;
    // Whether this button may change its check now (a radio group's button asks its group).
    virtual bool CanModifyCheck() const { return true; }
    void ApplyChecked(bool value, bool raiseClick);

private:
    // Moves the focus to the previous or next enabled, visible radio button of the parent and
    // checks it, as the dialog's arrow keys do.
    bool MoveToSibling(int step);
    bool checked_ = false;
};

}  // namespace kvt::gui
