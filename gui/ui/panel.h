// The dialogs' panels, on which groups of radio buttons stand: a caption, raised or lowered bevels,
// seven background kinds (colour, tiled, stretched, centred or top-left picture, two gradients),
// a transparent mode that shows what lies beneath (optionally tinted by an alpha level), owner
// drawing, grab strips along the sides that move or resize the panel, and themed drawing when a
// visual style is active. Painting never changes a property: colours follow from the picture
// when it is assigned.
#pragma once

#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>

#include "gui/ui/alignment.h"
#include "gui/ui/canvas_utils.h"
#include "gui/ui/control_events.h"
#include "gui/ui/control_links.h"
#include "gui/ui/themed_control.h"

class QPainter;

namespace kvt::gui {

enum TPanelBevel { bvNone, bvLowered, bvRaised };
enum TElPanelGrabHandleKind { ghkNone, ghkMove, ghkResize, ghkMoveParent };

class TCustomElPanel;

// One strip along a side of a panel; the panel owns four.
class TElPanelGrabHandle {
public:
    explicit TElPanelGrabHandle(TCustomElPanel* panel) : panel_(panel) {}

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    int Size() const { return size_; }
    void SetSize(int value);
    TElPanelGrabHandleKind Kind() const { return kind_; }
    void SetKind(TElPanelGrabHandleKind value) { kind_ = value; }
    TPanelBevel BevelKind() const { return bevelKind_; }
    void SetBevelKind(TPanelBevel value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    void Assign(const TElPanelGrabHandle& source);
    // Takes room and reacts: visible, enabled and with a depth.
    bool Active() const { return visible_ && enabled_ && size_ > 0; }

private:
    void Realign();
    TCustomElPanel* panel_;
    bool enabled_ = false;
    int size_ = 0;
    TElPanelGrabHandleKind kind_ = ghkNone;
    TPanelBevel bevelKind_ = bvNone;
    bool visible_ = false;
};

// OnClick is a left press and release inside the panel (not one that moved or sized it). A layout
// sets a grab strip's settings by their dotted names, "TopGrabHandle.Size" and the like (Enabled,
// Size, Kind, BevelKind, Visible; Kind and BevelKind as numbers).
class TCustomElPanel : public TEventControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int Alignment READ AlignmentValue WRITE SetAlignmentValue)
    Q_PROPERTY(int BevelInner READ BevelInnerValue WRITE SetBevelInnerValue)
    Q_PROPERTY(int BevelOuter READ BevelOuterValue WRITE SetBevelOuterValue)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(int AlphaLevel READ AlphaLevel WRITE SetAlphaLevel)
    Q_PROPERTY(bool AlwaysPaintBackground READ AlwaysPaintBackground WRITE SetAlwaysPaintBackground)
    Q_PROPERTY(QImage Background READ Background WRITE SetBackground)
    Q_PROPERTY(int BackgroundType READ BackgroundTypeValue WRITE SetBackgroundTypeValue)
    Q_PROPERTY(uint GradientStartColor READ GradientStartColor WRITE SetGradientStartColor)
    Q_PROPERTY(uint GradientEndColor READ GradientEndColor WRITE SetGradientEndColor)
    Q_PROPERTY(int GradientSteps READ GradientSteps WRITE SetGradientSteps)
    Q_PROPERTY(int Layout READ LayoutValue WRITE SetLayoutValue)
    Q_PROPERTY(bool OwnerDraw READ OwnerDraw WRITE SetOwnerDraw)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool TransparentXPThemes READ TransparentXPThemes WRITE SetTransparentXPThemes)
    Q_PROPERTY(bool Movable READ Movable WRITE SetMovable)
    Q_PROPERTY(bool Resizable READ Resizable WRITE SetResizable)
    Q_PROPERTY(int BorderStyle READ BorderStyleValue WRITE SetBorderStyleValue)
    Q_PROPERTY(bool Locked READ Locked WRITE SetLocked)
    Q_PROPERTY(bool MouseCapture READ MouseCapture WRITE SetMouseCapture)
    Q_PROPERTY(kvt::gui::TElImageFormLink* ImageForm READ ImageForm WRITE SetImageForm)
public:
    // More bands than a colour channel has steps cannot show; the cap keeps a bad value from
    // stalling every repaint.
    static constexpr int kMaxGradientSteps = 256;

    explicit TCustomElPanel(QWidget* parent = nullptr);

    const QString& Caption() const { return caption_; }
    virtual void SetCaption(const QString& text);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel value);
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);

    int AlphaLevel() const { return alphaLevel_; }
    void SetAlphaLevel(int value);
    bool AlwaysPaintBackground() const { return alwaysPaintBackground_; }
    void SetAlwaysPaintBackground(bool value);
    const QImage& Background() const { return background_; }
    void SetBackground(const QImage& picture);
    TElBkGndType BackgroundType() const { return backgroundType_; }
    virtual void SetBackgroundType(TElBkGndType value);
    TColor GradientStartColor() const { return gradientStart_; }
    void SetGradientStartColor(TColor value);
    TColor GradientEndColor() const { return gradientEnd_; }
    void SetGradientEndColor(TColor value);
    int GradientSteps() const { return gradientSteps_; }
    // 0 or less is refused; more than kMaxGradientSteps is taken as that many.
    void SetGradientSteps(int value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool value);
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);
    bool TransparentXPThemes() const { return transparentXPThemes_; }
    void SetTransparentXPThemes(bool value);
    bool Movable() const { return movable_; }
    void SetMovable(bool value) { movable_ = value; }
    bool Resizable() const { return resizable_; }
    void SetResizable(bool value) { resizable_ = value; }
    // bsSingle puts a sunken edge round the panel, outside the area it paints and lays out in.
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    // Kept for the layouts; nothing here embeds other programs' windows, so it changes nothing.
    bool Locked() const { return locked_; }
    void SetLocked(bool value) { locked_ = value; }
    // Whether the panel holds the mouse: every mouse event goes to it until it lets go.
    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    // The form-wide background the panel shows (tinted by AlphaLevel) instead of its own.
    TElImageFormLink* ImageForm() const { return imageForm_; }
    virtual void SetImageForm(TElImageFormLink* form);

    TElPanelGrabHandle& LeftGrabHandle() { return leftHandle_; }
    TElPanelGrabHandle& RightGrabHandle() { return rightHandle_; }
    TElPanelGrabHandle& TopGrabHandle() { return topHandle_; }
    TElPanelGrabHandle& BottomGrabHandle() { return bottomHandle_; }

    // The painter of the paint in progress, for OnPaint handlers of an owner-drawn panel.
    QPainter* Canvas() const { return canvas_; }
    // Where a press at point would act: HTCLIENT, HTCAPTION (move) or a sizing border code.
    int HitTest(QPoint point) const;
    // The client rectangle less what the grab strips (and, in a group box, the caption) take;
    // children laid out by a layout stay inside it.
    virtual QRect AdjustClientRect(QRect rect) const;
    // Applies AdjustClientRect as the widget's contents margins.
    void UpdateClientArea();

    static constexpr int HTCAPTION = 2;

signals:
    void OnPaint();
    // After a move by a grab strip or a Movable drag ends, when the top-left corner changed.
    void OnMove();
    void OnMouseEnter();
    void OnMouseLeave();

protected:
    QString ThemeClassName() const override { return QStringLiteral("GLOBALS"); }
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void ColorChanged() override { update(); }
    virtual void MouseEnter();
    virtual void MouseLeave();
    // A release (of any button) that ends no move or size, after the panel's click: descendants
    // act on it here, before OnMouseUp.
    virtual void MouseReleased(QMouseEvent*) {}
    // The panel's own use of a key after OnKeyDown: true when it took the key.
    virtual bool KeyDown(int, Qt::KeyboardModifiers) { return false; }
    // Hands the panel a key pressed on a control inside that passes its keys on (a radio group's
    // buttons): the panel's key events and handling run as for a key pressed on the panel itself.
    void PassKeyPress(QKeyEvent* event);
    // Whether a left press and release raise OnClick and a double click OnDblClick.
    void SetClickEvents(bool value) { clickEvents_ = value; }
    // The rectangle inside the border, where the panel paints.
    QRect InsideBorder() const;

    // Background, bevels and grab strips; answers the rectangle left for the caption.
    QRect PaintFrame(QPainter& p);
    // The background by BackgroundType, or the image form's, over rect (not transparent, not themed).
    void PaintBackground(QPainter& p, const QRect& rect);
    void PaintCaption(QPainter& p, QRect rect);
    // The depth of the bevels (at least 1), for finding grab strips.
    int BevelDepth() const;
    QRect GrabHandleRect(const TElPanelGrabHandle& handle, QRect area) const;
    bool MouseInControl() const { return mouseInControl_; }
    bool ButtonDown() const { return buttonDown_; }

private:
    friend class TElPanelGrabHandle;
    // Whether a key that reached the panel was pressed on it, not left unused by the focused
    // control inside and passed up by Qt.
    bool KeyIsOwn() const;
    // A layout's "LeftGrabHandle.Size" (and so on) given to that strip; false for any other name.
    bool SetGrabHandleProperty(const QByteArray& name, const QVariant& value);
    int AlignmentValue() const { return alignment_; }
    void SetAlignmentValue(int v) { SetAlignment(v == 0 ? taLeftJustify : (v == 1 ? taRightJustify : taCenter)); }
    int BevelInnerValue() const { return bevelInner_; }
    void SetBevelInnerValue(int v) { SetBevelInner(static_cast<TPanelBevel>(v < 0 || v > 2 ? 0 : v)); }
    int BevelOuterValue() const { return bevelOuter_; }
    void SetBevelOuterValue(int v) { SetBevelOuter(static_cast<TPanelBevel>(v < 0 || v > 2 ? 0 : v)); }
    int BackgroundTypeValue() const { return backgroundType_; }
    void SetBackgroundTypeValue(int v) { SetBackgroundType(static_cast<TElBkGndType>(v < 0 || v > 6 ? 2 : v)); }
    int LayoutValue() const { return layout_; }
    void SetLayoutValue(int v) { SetLayout(static_cast<TTextLayout>(v < 0 || v > 2 ? 1 : v)); }
    int BorderStyleValue() const { return borderStyle_; }
    void SetBorderStyleValue(int v) { SetBorderStyle(v == 1 ? bsSingle : bsNone); }
    // A move or size the window system would run: the panel (or its parent) follows the mouse
    // from start until the button is released.
    void StartMoving(QWidget* target, int action, QPoint globalStart);
    void PictureChanged();
    void TakeColorFromPicture();
    void PaintGrabHandle(QPainter& p, const TElPanelGrabHandle& handle, const QRect& strip, bool vertical);
    void Frame3D(QPainter& p, QRect& rect, TColor topLeft, TColor bottomRight, int width);

    QString caption_;
    TAlignment alignment_ = taCenter;
    TPanelBevel bevelInner_ = bvNone;
    TPanelBevel bevelOuter_ = bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    int alphaLevel_ = 0;
    bool alwaysPaintBackground_ = false;
    QImage background_;
    TElBkGndType backgroundType_ = bgtColorFill;
    TColor gradientStart_ = clBlack;
    TColor gradientEnd_ = clBlack;
    int gradientSteps_ = 16;
    TTextLayout layout_ = tlCenter;
    bool ownerDraw_ = false;
    bool transparent_ = false;
    bool transparentXPThemes_ = true;
    bool movable_ = false;
    bool resizable_ = false;
    TElPanelGrabHandle leftHandle_{this}, rightHandle_{this}, topHandle_{this}, bottomHandle_{this};

    TBorderStyle borderStyle_ = bsNone;
    bool locked_ = false;

    QPointer<TElImageFormLink> imageForm_;
    QPainter* canvas_ = nullptr;
    bool mouseInControl_ = false;
    bool passingKey_ = false;
    bool buttonDown_ = false;
    bool clickEvents_ = true;
    bool clicked_ = false;
    // A move or size in progress: what it does, to which widget, where it started and the
    // geometry it started from.
    int dragAction_ = 0;
    QPointer<QWidget> dragTarget_;
    QPoint dragStart_;
    QRect dragGeometry_;
};

class TElPanel : public TCustomElPanel {
    Q_OBJECT
public:
    using TCustomElPanel::TCustomElPanel;
};

}  // namespace kvt::gui
