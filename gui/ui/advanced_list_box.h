// The list box of every dialog: rows of text that dialogs fill through Items and read through
// ItemIndex or, in a multi-selection list, SelCount and Selected. It paints each row itself (a
// selected row in SelectedColor and SelectedFont, optionally inverted or keeping its background),
// shows its parent's picture through unselected rows when Transparent, can tile a picture behind
// the rows, lays rows out in columns, keeps a horizontal extent equal to its widest row, leaves out
// border sides, draws a flat frame and flat scroll bars, and shows a cut-off row's full text in a
// hint. Selecting a row from code never raises OnClick; the player's click or key does. A drag
// with the button held carries the selection (a range from the anchor in an extended multiple
// selection) and, while the pointer is outside the rows, scrolls on toward it a row at a tick.
#pragma once

#include <QElapsedTimer>
#include <QFont>
#include <QImage>
#include <QPointer>
#include <QRect>
#include <QScrollBar>
#include <QStringList>
#include <QTimer>

#include <vector>

#include "gui/ui/alignment.h"
#include "gui/ui/canvas_utils.h"
#include "gui/ui/control_events.h"
#include "gui/ui/control_links.h"
#include "gui/ui/string_list.h"
#include "gui/ui/themed_control.h"

namespace kvt::gui {

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
// Flags of the state a row is drawn in.
enum TOwnerDrawState : int { odSelected = 0x1, odGrayed = 0x2, odDisabled = 0x4, odChecked = 0x8, odFocused = 0x10 };

class TElAdvancedListBox;

// The window that shows a cut-off row's full text over the row.
class TListBoxHintWindow : public QWidget {
    Q_OBJECT
public:
    TListBoxHintWindow();
    void ActivateHint(const QRect& screenRect, const QString& text);
    const QString& Text() const { return text_; }
    // The size the window takes for a text.
    QSize CalcHintSize(const QString& text) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

// A scroll bar of the list that draws itself flat while the list is Flat.
class TElListScrollBar : public QScrollBar {
    Q_OBJECT
public:
    TElListScrollBar(Qt::Orientation orientation, TElAdvancedListBox* list);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TElAdvancedListBox* list_;
};

// Its events: mouse points are in client coordinates (inside the border); OnMouseUp comes after
// the release's click; OnKeyDown before the list acts on the key (arrows move, letters find a row).
class TElAdvancedListBox : public TEventControl {
    Q_OBJECT
    Q_PROPERTY(QStringList Items READ ItemLines WRITE SetItems)
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)
    Q_PROPERTY(int TopIndex READ TopIndex WRITE SetTopIndex)
    Q_PROPERTY(int Columns READ Columns WRITE SetColumns)
    Q_PROPERTY(int ItemHeight READ ItemHeight WRITE SetItemHeight)
    Q_PROPERTY(bool MultiSelect READ MultiSelect WRITE SetMultiSelect)
    Q_PROPERTY(bool ExtendedSelect READ ExtendedSelect WRITE SetExtendedSelect)
    Q_PROPERTY(int TabWidth READ TabWidth WRITE SetTabWidth)
    Q_PROPERTY(int BorderStyle READ BorderStyleValue WRITE SetBorderStyleValue)
    Q_PROPERTY(int Style READ StyleValue WRITE SetStyleValue)
    Q_PROPERTY(int ActiveBorderType READ ActiveBorderTypeValue WRITE SetActiveBorderTypeValue)
    Q_PROPERTY(int InactiveBorderType READ InactiveBorderTypeValue WRITE SetInactiveBorderTypeValue)
    Q_PROPERTY(QImage Background READ Background WRITE SetBackground)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(bool FlatFocusedScrollBars READ FlatFocusedScrollBars WRITE SetFlatFocusedScrollBars)
    Q_PROPERTY(bool InvertSelection READ InvertSelection WRITE SetInvertSelection)
    Q_PROPERTY(uint SelectedColor READ SelectedColor WRITE SetSelectedColor)
    Q_PROPERTY(QFont SelectedFont READ SelectedFont WRITE SetSelectedFont)
    Q_PROPERTY(uint SelectedFontColor READ SelectedFontColor WRITE SetSelectedFontColor)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool UseBackground READ UseBackground WRITE SetUseBackground)
    Q_PROPERTY(bool TransparentSelection READ TransparentSelection WRITE SetTransparentSelection)
    Q_PROPERTY(int BorderSides READ BorderSidesValue WRITE SetBorderSidesValue)
    Q_PROPERTY(bool ShowLineHint READ ShowLineHint WRITE SetShowLineHint)
    Q_PROPERTY(bool HorizontalScroll READ HorizontalScroll WRITE SetHorizontalScroll)
    Q_PROPERTY(uint LineBorderActiveColor READ LineBorderActiveColor WRITE SetLineBorderActiveColor)
    Q_PROPERTY(uint LineBorderInactiveColor READ LineBorderInactiveColor WRITE SetLineBorderInactiveColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool Sorted READ Sorted WRITE SetSorted)
    Q_PROPERTY(kvt::gui::TElImageFormLink* ImageForm READ ImageForm WRITE SetImageForm)
public:
    // The application's pauses before a hint shows and before it goes, in milliseconds.
    static int HintPause;
    static int HintHidePause;
    static constexpr int kBorder = 2;  // a sunken client edge on each side
    // Milliseconds between the rows a drag held outside the rows scrolls on.
    static constexpr int kAutoScrollInterval = 50;

    explicit TElAdvancedListBox(QWidget* parent = nullptr);
    ~TElAdvancedListBox() override;

    // ---- the list
    TStrings& Items() { return items_; }
    const TStrings& Items() const { return items_; }
    void SetItems(const QStringList& lines) { items_.Assign(lines); }
    // The selected row (a multi-selection list: the row with the caret), -1 for none. Setting it
    // selects that row (in a multi-selection list, adds it to the selection), scrolls it into
    // view and raises no OnClick; a row that does not exist selects nothing.
    int ItemIndex() const;
    void SetItemIndex(int value);
    int TopIndex() const { return topIndex_; }
    void SetTopIndex(int value);
    // How many rows are selected; whether row index is (false for a row that does not exist).
    int SelCount() const;
    bool Selected(int index) const;
    void SetSelected(int index, bool value);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value);
    // With MultiSelect: Shift and Ctrl extend the selection (true), or every click toggles (false).
    bool ExtendedSelect() const { return extendedSelect_; }
    void SetExtendedSelect(bool value);
    int Columns() const { return columns_; }
    void SetColumns(int value);
    // The height of a row: the text height of "0" in the font for lbStandard, whatever was
    // stored; the stored height for the owner-drawn styles.
    int ItemHeight() const;
    void SetItemHeight(int value);
    // The height of one row (lbOwnerDrawVariable asks OnMeasureItem).
    int RowHeight(int index) const;
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int value);
    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle value);
    // Rows in alphabetical order, ignoring case: added rows take their place; turning it on puts
    // the rows in order and clears the selection.
    bool Sorted() const { return items_.Sorted(); }
    void SetSorted(bool value) { items_.SetSorted(value); }

    // ---- look
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    TElFlatBorderType ActiveBorderType() const { return activeBorderType_; }
    void SetActiveBorderType(TElFlatBorderType value);
    TElFlatBorderType InactiveBorderType() const { return inactiveBorderType_; }
    void SetInactiveBorderType(TElFlatBorderType value);
    const QImage& Background() const { return background_; }
    void SetBackground(const QImage& picture);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    bool FlatFocusedScrollBars() const { return flatFocusedScrollBars_; }
    void SetFlatFocusedScrollBars(bool value);
    bool InvertSelection() const { return invertSelection_; }
    void SetInvertSelection(bool value);
    TColor SelectedColor() const { return selectedColor_; }
    void SetSelectedColor(TColor value);
    const QFont& SelectedFont() const { return selectedFont_; }
    // Any change of the selected font (other than following the parent's) clears ParentFont.
    void SetSelectedFont(const QFont& font);
    TColor SelectedFontColor() const { return selectedFontColor_; }
    void SetSelectedFontColor(TColor value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool UseBackground() const { return useBackground_; }
    void SetUseBackground(bool value);
    bool TransparentSelection() const { return transparentSelection_; }
    void SetTransparentSelection(bool value);
    TElBorderSides BorderSides() const { return borderSides_; }
    void SetBorderSides(TElBorderSides value);
    // The form-wide background shown behind the rows instead of the list's own (unless it is only
    // a colour fill).
    TElImageFormLink* ImageForm() const { return imageForm_; }
    void SetImageForm(TElImageFormLink* form);
    // The control the image form paints (its form), its client size, and a screen point in its
    // client coordinates.
    QWidget* ImageFormControl() const;
    virtual int ImageFormClientWidth() const;
    virtual int ImageFormClientHeight() const;
    virtual QPoint ImageFormScreenToClient(QPoint screenPoint) const;
    bool ShowLineHint() const { return showLineHint_; }
    void SetShowLineHint(bool value) { showLineHint_ = value; }
    bool HorizontalScroll() const { return horizontalScroll_; }
    void SetHorizontalScroll(bool value);
    TColor LineBorderActiveColor() const { return lineBorderActive_; }
    void SetLineBorderActiveColor(TColor value);
    TColor LineBorderInactiveColor() const { return lineBorderInactive_; }
    void SetLineBorderInactiveColor(TColor value);
    // While set, the list's font follows its parent's and the selected font copies it.
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value) { showHint_ = value; }
    const QString& Hint() const { return hint_; }
    void SetHint(const QString& text) { hint_ = text; }

    // ---- geometry
    // The area rows are drawn in, in widget coordinates (inside the border and scroll bars).
    QRect ClientRect() const;
    int ClientWidth() const { return ClientRect().width(); }
    // The row's rectangle in widget coordinates, where it lies whether or not that is in view.
    QRect ItemRect(int index) const;
    // The existing row under a point in widget coordinates, or -1.
    int ItemAtPos(QPoint point) const;
    // The pixel width of a row's text followed by one "W".
    virtual int GetItemWidth(int index) const;
    // The widest row (with its "W" margin) while HorizontalScroll is set, else 0.
    int MaxItemWidth() const { return maxItemWidth_; }
    // The horizontal scroll position in pixels (single column) or columns (multi-column).
    int HorizontalPosition() const;
    QScrollBar* VerticalScrollBar() const { return vertBar_; }
    QScrollBar* HorizontalScrollBar() const { return horzBar_; }
    bool MouseOver() const { return mouseOver_; }
    // Whether the frame shows its active look (focused or under the mouse).
    bool FrameActive() const { return hasFocus() || mouseOver_; }

    // ---- hints
    int HintIndex() const { return hintIndex_; }
    TListBoxHintWindow* HintWindow() const { return hintWindow_; }
    QTimer* HintTimer() const { return hintTimer_; }
    // The hint timer's event (a cursor in widget coordinates; by default the mouse's position).
    void HintTick();
    void HintTick(QPoint cursor);
    // What the application's tool tip shows for a point: false when it shows nothing.
    bool StandardHint(QPoint point, QString& text, QPoint& screenPos) const;

    // The painter of the paint in progress, for OnDrawItem handlers.
    QPainter* Canvas() const { return canvas_; }

signals:
    // Owner-drawn styles: draw the row with Canvas(); state holds TOwnerDrawState flags.
    void OnDrawItem(kvt::gui::TElAdvancedListBox* control, int index, QRect rect, int state);
    void OnMeasureItem(kvt::gui::TElAdvancedListBox* control, int index, int* height);

protected:
    QString ThemeClassName() const override { return QStringLiteral("EDIT"); }
    // Draws one row; an index outside the rows paints the background only.
    virtual void DrawItem(QPainter& p, int index, const QRect& rect, int state);
    virtual TListBoxHintWindow* CreateHintWindow();
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void ColorChanged() override { update(); }

private:
    friend class TElListScrollBar;
    QStringList ItemLines() const { return items_.Lines(); }
    int BorderStyleValue() const { return borderStyle_; }
    void SetBorderStyleValue(int v) { SetBorderStyle(v == 0 ? bsNone : bsSingle); }
    int StyleValue() const { return style_; }
    void SetStyleValue(int v) { SetStyle(static_cast<TListBoxStyle>(v < 0 || v > 2 ? 0 : v)); }
    int ActiveBorderTypeValue() const { return activeBorderType_; }
    void SetActiveBorderTypeValue(int v) { SetActiveBorderType(static_cast<TElFlatBorderType>(v)); }
    int InactiveBorderTypeValue() const { return inactiveBorderType_; }
    void SetInactiveBorderTypeValue(int v) { SetInactiveBorderType(static_cast<TElFlatBorderType>(v)); }
    int BorderSidesValue() const { return borderSides_; }
    void SetBorderSidesValue(int v) { SetBorderSides(static_cast<TElBorderSides>(v & kAllBorderSides)); }

    void ItemsChanging(TStrings::TChange change, int index);
    void ItemsChanged(TStrings::TChange change, int index);
    // Places the scroll bars and fixes the scroll ranges after any change of rows or size.
    void Relayout();
    QRect InnerRect() const;
    int RowsPerColumn() const;
    int ColumnWidth() const;
    int VisibleRowsFrom(int top) const;
    int MaxTopIndex() const;
    void EnsureVisible(int index);
    void SelectOnly(int index);
    void SelectRange(int from, int to, bool keepOthers);
    // The player's drag reaching a row: the selection follows as the press began it.
    void DragTo(int index);
    // While the pointer is held outside the rows: one row (or column) further toward it.
    void AutoScrollTick();
    void StopAutoScroll();
    // The player's choice of a row by key: moves the caret and selection, then OnClick.
    void KeyMove(int target, Qt::KeyboardModifiers modifiers);
    // The list's own use of a key: true when it moved the caret or the selection.
    bool NavigationKey(int key, Qt::KeyboardModifiers modifiers);
    // A typed character finds the next row starting with what was typed in quick succession.
    bool TypeAhead(QChar ch);
    // The image form paints the rows' background: one is set and it is more than a colour fill.
    bool ImageFormActive() const;
    // The image form's share under rect; nothing when the form paints this list itself.
    void PaintImageFormBackground(QPainter& p, const QRect& rect, TColor outsideFill);
    void RecomputeExtent();
    void ReleaseHint();
    void TileBackground(QPainter& p, const QRect& area);
    void PaintFrame(QPainter& p);
    bool FlatScrollBarsShown() const;
    // The list and its scroll bars, whose flat look follows the focus and Flat.
    void UpdateWithScrollBars();

    TStrings items_;
    std::vector<char> selected_;
    int itemIndex_ = -1;  // the selected row, or the caret of a multi-selection list
    int anchor_ = -1;
    int topIndex_ = 0;
    int columns_ = 0;
    int itemHeight_ = 16;
    bool multiSelect_ = false;
    bool extendedSelect_ = true;
    int tabWidth_ = 0;
    TListBoxStyle style_ = lbStandard;
    TBorderStyle borderStyle_ = bsSingle;
    TElFlatBorderType activeBorderType_ = fbtSunken;
    TElFlatBorderType inactiveBorderType_ = fbtSunkenOuter;
    QImage background_;
    bool flat_ = false;
    bool flatFocusedScrollBars_ = false;
    bool invertSelection_ = false;
    TColor selectedColor_ = clHighlight;
    QFont selectedFont_;
    TColor selectedFontColor_ = clHighlightText;
    bool transparent_ = false;
    bool useBackground_ = false;
    bool transparentSelection_ = false;
    TElBorderSides borderSides_ = kAllBorderSides;
    bool showLineHint_ = false;
    bool horizontalScroll_ = false;
    TColor lineBorderActive_ = clBlack;
    TColor lineBorderInactive_ = clBlack;
    bool parentFont_ = true;
    bool showHint_ = false;
    QString hint_;
    QPointer<TElImageFormLink> imageForm_;

    int maxItemWidth_ = 0;
    bool extentStale_ = false;
    bool mouseOver_ = false;
    bool pressedOnItem_ = false;
    // The drag of a press on a row: the selection it extends from the anchor, the state it gives
    // the rows it passes, and where the pointer is held outside the rows.
    std::vector<char> dragBase_;
    bool dragSelects_ = true;
    QPoint dragPoint_;
    QTimer* autoScroll_ = nullptr;
    TElListScrollBar* vertBar_;
    TElListScrollBar* horzBar_;
    bool relayouting_ = false;

    int hintIndex_ = -1;
    QTimer* hintTimer_ = nullptr;
    QPointer<TListBoxHintWindow> hintWindow_;

    QPainter* canvas_ = nullptr;
    QString typed_;
    QElapsedTimer typedAt_;
};

}  // namespace kvt::gui
