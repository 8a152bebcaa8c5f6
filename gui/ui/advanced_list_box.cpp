// The dialogs' list box: rows, selection, scrolling, columns, frame and row painting.
#include "gui/ui/advanced_list_box.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPointer>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QRegion>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "gui/platform/edges.h"
#include "gui/platform/text_draw.h"
#include "gui/ui/control_keys.h"
#include "gui/ui/image_form.h"

namespace kvt::gui {
namespace {

constexpr int kBarSize = kScrollArrowSize;

}  // namespace

int TElAdvancedListBox::HintPause = 500;
int TElAdvancedListBox::HintHidePause = 2500;

// ---------------------------------------------------------------------------------------------
// Hint window and scroll bars

TListBoxHintWindow::TListBoxHintWindow() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_ShowWithoutActivating, true);
}

QSize TListBoxHintWindow::CalcHintSize(const QString& text) const {
    const QFontMetrics fm(font());
    return QSize(fm.horizontalAdvance(text) + 6, fm.height() + 2);
}

void TListBoxHintWindow::ActivateHint(const QRect& screenRect, const QString& text) {
    text_ = text;
    setGeometry(screenRect);
    show();
    update();
}

void TListBoxHintWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    FillRect(p, rect(), clInfoBk);
    p.setPen(ToQColor(clWindowFrame));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(ToQColor(clInfoText));
    QRect r = rect().adjusted(3, 1, -1, -1);
    DrawText(p, text_, r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

TElListScrollBar::TElListScrollBar(Qt::Orientation orientation, TElAdvancedListBox* list)
    : QScrollBar(orientation, list), list_(list) {
    setFocusPolicy(Qt::NoFocus);
}

void TElListScrollBar::paintEvent(QPaintEvent* event) {
    QScrollBar::paintEvent(event);
    if (!list_->FlatScrollBarsShown()) return;
    QPainter p(this);
    TElScrollInfo info;
    info.Min = minimum();
    info.Max = maximum() + pageStep() - 1;
    info.Page = pageStep();
    info.Pos = value();
    info.TrackPos = sliderPosition();
    DrawFlatScrollBar(p, rect(), orientation() == Qt::Vertical, info, false, isSliderDown(), false, isEnabled());
}

// ---------------------------------------------------------------------------------------------
// TElAdvancedListBox

TElAdvancedListBox::TElAdvancedListBox(QWidget* parent) : TEventControl(parent) {
    SetColor(clWindow);
    SetFontColor(clWindowText);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    selectedFont_ = font();
    vertBar_ = new TElListScrollBar(Qt::Vertical, this);
    horzBar_ = new TElListScrollBar(Qt::Horizontal, this);
    vertBar_->hide();
    horzBar_->hide();
    connect(vertBar_, &QScrollBar::valueChanged, this, [this](int v) {
        if (columns_ == 0 && !relayouting_) SetTopIndex(v);
    });
    connect(horzBar_, &QScrollBar::valueChanged, this, [this](int v) {
        if (relayouting_) return;
        if (columns_ > 0)
            SetTopIndex(v * RowsPerColumn());
        else
            update();
    });
    items_.OnChanging = [this](TStrings::TChange c, int i) { ItemsChanging(c, i); };
    items_.OnChange = [this](TStrings::TChange c, int i) { ItemsChanged(c, i); };
    resize(121, 97);
}

TElAdvancedListBox::~TElAdvancedListBox() {
    items_.OnChange = nullptr;
    items_.OnChanging = nullptr;
    if (hintTimer_) hintTimer_->stop();
    if (hintWindow_) {
        hintWindow_->removeEventFilter(this);
        delete hintWindow_;
    }
}

// ---- rows and selection

void TElAdvancedListBox::ItemsChanging(TStrings::TChange change, int index) {
    if (!horizontalScroll_) return;
    if (change == TStrings::TChange::Deleted) {
        if (GetItemWidth(index) >= maxItemWidth_) {
            horzBar_->setValue(0);
            extentStale_ = true;
        }
    } else if (change == TStrings::TChange::Cleared || change == TStrings::TChange::Assigned) {
        horzBar_->setValue(0);
    }
}

void TElAdvancedListBox::ItemsChanged(TStrings::TChange change, int index) {
    const int count = items_.Count();
    const auto shiftUp = [index](int& v) {
        if (v >= index) ++v;
    };
    switch (change) {
        case TStrings::TChange::Added:
            selected_.push_back(0);
            if (horizontalScroll_) maxItemWidth_ = std::max(maxItemWidth_, GetItemWidth(index));
            break;
        case TStrings::TChange::Inserted:
            selected_.insert(selected_.begin() + index, 0);
            if (itemIndex_ >= 0) shiftUp(itemIndex_);
            if (anchor_ >= 0) shiftUp(anchor_);
            if (horizontalScroll_) maxItemWidth_ = std::max(maxItemWidth_, GetItemWidth(index));
            break;
        case TStrings::TChange::Replaced:
            if (horizontalScroll_) RecomputeExtent();
            break;
        case TStrings::TChange::Deleted:
            selected_.erase(selected_.begin() + index);
            if (itemIndex_ == index)
                itemIndex_ = multiSelect_ ? std::min(index, count - 1) : -1;
            else if (itemIndex_ > index)
                --itemIndex_;
            if (anchor_ == index)
                anchor_ = -1;
            else if (anchor_ > index)
                --anchor_;
            if (extentStale_) {
                extentStale_ = false;
                RecomputeExtent();
            }
            break;
        case TStrings::TChange::Cleared:
        case TStrings::TChange::Assigned:
            selected_.assign(static_cast<std::size_t>(count), 0);
            itemIndex_ = -1;
            anchor_ = -1;
            topIndex_ = 0;
            RecomputeExtent();
            break;
    }
    Relayout();
    update();
}

int TElAdvancedListBox::ItemIndex() const { return itemIndex_; }

void TElAdvancedListBox::SetItemIndex(int value) {
    if (value < 0 || value >= items_.Count()) {
        if (!multiSelect_) {
            itemIndex_ = -1;
            std::fill(selected_.begin(), selected_.end(), 0);
        } else {
            itemIndex_ = -1;
        }
        update();
        return;
    }
    if (multiSelect_) {
        itemIndex_ = value;
        anchor_ = value;
        selected_[static_cast<std::size_t>(value)] = 1;
    } else {
        SelectOnly(value);
    }
    EnsureVisible(value);
    update();
}

int TElAdvancedListBox::SelCount() const {
    if (!multiSelect_) return itemIndex_ >= 0 ? 1 : 0;
    return static_cast<int>(std::count(selected_.begin(), selected_.end(), 1));
}

bool TElAdvancedListBox::Selected(int index) const {
    if (index < 0 || index >= items_.Count()) return false;
    if (!multiSelect_) return index == itemIndex_;
    return selected_[static_cast<std::size_t>(index)] != 0;
}

void TElAdvancedListBox::SetSelected(int index, bool value) {
    if (index < 0 || index >= items_.Count()) return;
    if (!multiSelect_) {
        if (value)
            SelectOnly(index);
        else if (index == itemIndex_)
            itemIndex_ = -1;
    } else {
        selected_[static_cast<std::size_t>(index)] = value ? 1 : 0;
    }
    update();
}

void TElAdvancedListBox::SelectOnly(int index) {
    std::fill(selected_.begin(), selected_.end(), 0);
    if (index >= 0 && index < items_.Count()) selected_[static_cast<std::size_t>(index)] = 1;
    itemIndex_ = index;
}

void TElAdvancedListBox::SelectRange(int from, int to, bool keepOthers) {
    if (!keepOthers) std::fill(selected_.begin(), selected_.end(), 0);
    if (from < 0) from = to;
    const int lo = std::min(from, to), hi = std::max(from, to);
    for (int i = std::max(0, lo); i <= hi && i < items_.Count(); ++i) selected_[static_cast<std::size_t>(i)] = 1;
}

void TElAdvancedListBox::SetMultiSelect(bool value) {
    if (value == multiSelect_) return;
    multiSelect_ = value;
    std::fill(selected_.begin(), selected_.end(), 0);
    itemIndex_ = -1;
    anchor_ = -1;
    update();
}

void TElAdvancedListBox::SetExtendedSelect(bool value) { extendedSelect_ = value; }

void TElAdvancedListBox::SetColumns(int value) {
    value = std::max(0, value);
    if (value == columns_) return;
    columns_ = value;
    topIndex_ = 0;
    Relayout();
    update();
}

int TElAdvancedListBox::ItemHeight() const {
    if (style_ == lbStandard) return std::max(1, QFontMetrics(font()).height());
    return itemHeight_;
}

void TElAdvancedListBox::SetItemHeight(int value) {
    if (value < 1 || value == itemHeight_) return;
    itemHeight_ = value;
    if (style_ != lbStandard) {
        Relayout();
        update();
    }
}

int TElAdvancedListBox::RowHeight(int index) const {
    if (style_ != lbOwnerDrawVariable || columns_ > 0) return ItemHeight();
    int h = itemHeight_;
    emit const_cast<TElAdvancedListBox*>(this)->OnMeasureItem(const_cast<TElAdvancedListBox*>(this), index, &h);
    return std::max(1, h);
}

void TElAdvancedListBox::SetTabWidth(int value) {
    if (value < 0 || value == tabWidth_) return;
    tabWidth_ = value;
    RecomputeExtent();
    Relayout();
}

void TElAdvancedListBox::SetStyle(TListBoxStyle value) {
    hintIndex_ = -1;
    if (value == style_) return;
    style_ = value;
    Relayout();
    update();
}

// ---- look

void TElAdvancedListBox::SetBorderStyle(TBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    Relayout();
    update();
}

void TElAdvancedListBox::SetActiveBorderType(TElFlatBorderType value) {
    if (value == activeBorderType_) return;
    activeBorderType_ = value;
    if (FrameActive()) update();
}

void TElAdvancedListBox::SetInactiveBorderType(TElFlatBorderType value) {
    if (value == inactiveBorderType_) return;
    inactiveBorderType_ = value;
    if (!FrameActive()) update();
}

void TElAdvancedListBox::SetBackground(const QImage& picture) {
    background_ = picture;
    update();
}

void TElAdvancedListBox::SetFlat(bool value) {
    if (value == flat_) return;
    flat_ = value;
    UpdateWithScrollBars();
}

void TElAdvancedListBox::SetFlatFocusedScrollBars(bool value) {
    if (value == flatFocusedScrollBars_) return;
    flatFocusedScrollBars_ = value;
    if (hasFocus()) update();
}

void TElAdvancedListBox::SetInvertSelection(bool value) {
    if (value == invertSelection_) return;
    invertSelection_ = value;
    if (SelCount() > 0) update();
}

void TElAdvancedListBox::SetSelectedColor(TColor value) {
    if (value == selectedColor_) return;
    selectedColor_ = value;
    if (SelCount() > 0) update();
}

void TElAdvancedListBox::SetSelectedFont(const QFont& font) {
    selectedFont_ = font;
    parentFont_ = false;
    update();
}

void TElAdvancedListBox::SetSelectedFontColor(TColor value) {
    selectedFontColor_ = value;
    parentFont_ = false;
    update();
}

void TElAdvancedListBox::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    update();
}

void TElAdvancedListBox::SetUseBackground(bool value) {
    if (value == useBackground_) return;
    useBackground_ = value;
    update();
}

void TElAdvancedListBox::SetTransparentSelection(bool value) {
    if (value == transparentSelection_) return;
    transparentSelection_ = value;
    if (itemIndex_ >= 0) update();
}

void TElAdvancedListBox::SetBorderSides(TElBorderSides value) {
    if (value == borderSides_) return;
    borderSides_ = value;
    Relayout();
    update();
}

void TElAdvancedListBox::SetImageForm(TElImageFormLink* form) { LinkImageForm(this, imageForm_, form); }

QWidget* TElAdvancedListBox::ImageFormControl() const {
    if (const auto* form = qobject_cast<const TCustomElImageForm*>(imageForm_.data())) return form->GetRealControl();
    return window();
}

int TElAdvancedListBox::ImageFormClientWidth() const {
    const QWidget* control = ImageFormControl();
    return control ? control->width() : 0;
}

int TElAdvancedListBox::ImageFormClientHeight() const {
    const QWidget* control = ImageFormControl();
    return control ? control->height() : 0;
}

QPoint TElAdvancedListBox::ImageFormScreenToClient(QPoint screenPoint) const {
    const QWidget* control = ImageFormControl();
    return control ? control->mapFromGlobal(screenPoint) : screenPoint;
}

bool TElAdvancedListBox::ImageFormActive() const {
    if (!imageForm_) return false;
    const auto* form = qobject_cast<const TElImageForm*>(imageForm_.data());
    return !form || form->BackgroundType() != bgtColorFill;
}

void TElAdvancedListBox::PaintImageFormBackground(QPainter& p, const QRect& rect, TColor outsideFill) {
    // The form paints this list's background itself when the list is the form's control.
    if (ImageFormControl() == this) return;
    imageForm_->PaintBackground(p, this, rect);
    if (outsideFill == clNone) return;
    const QPoint topLeft = ImageFormScreenToClient(mapToGlobal(rect.topLeft()));
    const QPoint bottomRight = ImageFormScreenToClient(mapToGlobal(rect.topLeft() + QPoint(rect.width(), rect.height())));
    // A row beyond the form's edge has no picture there: it takes the plain fill instead.
    if (topLeft.x() < 0 || topLeft.y() < 0 || bottomRight.x() > ImageFormClientWidth() ||
        bottomRight.y() > ImageFormClientHeight())
        FillRect(p, rect, outsideFill);
}

void TElAdvancedListBox::SetHorizontalScroll(bool value) {
    if (value == horizontalScroll_) return;
    horizontalScroll_ = value;
    RecomputeExtent();
    Relayout();
    update();
}

void TElAdvancedListBox::SetLineBorderActiveColor(TColor value) {
    if (value == lineBorderActive_) return;
    lineBorderActive_ = value;
    if (flat_ && FrameActive()) update();
}

void TElAdvancedListBox::SetLineBorderInactiveColor(TColor value) {
    if (value == lineBorderInactive_) return;
    lineBorderInactive_ = value;
    if (flat_ && !FrameActive()) update();
}

void TElAdvancedListBox::SetParentFont(bool value) {
    if (value == parentFont_) return;
    parentFont_ = value;
    if (value) {
        setFont(QFont());
        selectedFont_ = font();
        selectedFontColor_ = clHighlightText;
        update();
    }
}

// ---- geometry

QRect TElAdvancedListBox::InnerRect() const {
    QRect r = rect();
    if (borderStyle_ == bsNone) return r;
    // A side left out of BorderSides gives its border to the rows.
    r.adjust((borderSides_ & ebsLeft) ? kBorder : 0, (borderSides_ & ebsTop) ? kBorder : 0,
             (borderSides_ & ebsRight) ? -kBorder : 0, (borderSides_ & ebsBottom) ? -kBorder : 0);
    return r;
}

QRect TElAdvancedListBox::ClientRect() const {
    QRect r = InnerRect();
    if (!vertBar_->isHidden()) r.setRight(r.right() - kBarSize);
    if (!horzBar_->isHidden()) r.setBottom(r.bottom() - kBarSize);
    return r;
}

int TElAdvancedListBox::RowsPerColumn() const { return std::max(1, ClientRect().height() / ItemHeight()); }

int TElAdvancedListBox::ColumnWidth() const { return std::max(1, ClientRect().width() / std::max(1, columns_)); }

int TElAdvancedListBox::VisibleRowsFrom(int top) const {
    // Rows that fit wholly; at least one, so a short list still scrolls row by row.
    const int height = ClientRect().height();
    int used = 0, rows = 0;
    for (int i = std::max(0, top); i < items_.Count(); ++i) {
        used += RowHeight(i);
        if (used > height) break;
        ++rows;
    }
    if (top >= items_.Count() && style_ != lbOwnerDrawVariable) rows = height / ItemHeight();
    return std::max(1, rows);
}

int TElAdvancedListBox::MaxTopIndex() const {
    const int count = items_.Count();
    if (count == 0) return 0;
    if (columns_ > 0) {
        const int rpc = RowsPerColumn();
        const int totalColumns = (count + rpc - 1) / rpc;
        return std::max(0, totalColumns - columns_) * rpc;
    }
    // The highest top from which the last row still shows wholly.
    const int height = ClientRect().height();
    int used = 0, top = count;
    while (top > 0 && used + RowHeight(top - 1) <= height) used += RowHeight(--top);
    return std::min(top, count - 1);
}

void TElAdvancedListBox::Relayout() {
    if (relayouting_) return;
    relayouting_ = true;
    const QRect inner = InnerRect();
    const int count = items_.Count();
    bool needV = false, needH = false;
    for (int pass = 0; pass < 3; ++pass) {
        vertBar_->setHidden(!needV);
        horzBar_->setHidden(!needH);
        bool v = false, h = false;
        if (columns_ > 0) {
            const int rpc = RowsPerColumn();
            h = (count + rpc - 1) / rpc > columns_;
        } else {
            int used = 0;
            for (int i = 0; i < count && !v; ++i) {
                used += RowHeight(i);
                v = used > ClientRect().height();
            }
            h = horizontalScroll_ && maxItemWidth_ > ClientRect().width();
        }
        if (v == needV && h == needH) break;
        needV = v;
        needH = h;
    }
    vertBar_->setHidden(!needV);
    horzBar_->setHidden(!needH);
    vertBar_->setGeometry(inner.right() - kBarSize + 1, inner.top(), kBarSize,
                          inner.height() - (needH ? kBarSize : 0));
    horzBar_->setGeometry(inner.left(), inner.bottom() - kBarSize + 1, inner.width() - (needV ? kBarSize : 0),
                          kBarSize);
    topIndex_ = std::clamp(topIndex_, 0, MaxTopIndex());
    if (columns_ > 0) {
        const int rpc = RowsPerColumn();
        topIndex_ -= topIndex_ % rpc;
        const int totalColumns = (count + rpc - 1) / rpc;
        horzBar_->setRange(0, std::max(0, totalColumns - columns_));
        horzBar_->setPageStep(columns_);
        horzBar_->setValue(topIndex_ / rpc);
    } else {
        vertBar_->setRange(0, MaxTopIndex());
        vertBar_->setPageStep(VisibleRowsFrom(topIndex_));
        vertBar_->setValue(topIndex_);
        const int w = ClientRect().width();
        horzBar_->setRange(0, std::max(0, maxItemWidth_ - w));
        horzBar_->setPageStep(std::max(1, w));
        horzBar_->setSingleStep(std::max(1, QFontMetrics(font()).averageCharWidth()));
    }
    relayouting_ = false;
}

void TElAdvancedListBox::SetTopIndex(int value) {
    value = std::clamp(value, 0, MaxTopIndex());
    if (columns_ > 0) value -= value % RowsPerColumn();
    if (value == topIndex_) return;
    topIndex_ = value;
    relayouting_ = true;
    if (columns_ > 0)
        horzBar_->setValue(topIndex_ / RowsPerColumn());
    else
        vertBar_->setValue(topIndex_);
    relayouting_ = false;
    update();
}

int TElAdvancedListBox::HorizontalPosition() const { return horzBar_->isHidden() ? 0 : horzBar_->value(); }

void TElAdvancedListBox::EnsureVisible(int index) {
    if (index < 0 || index >= items_.Count()) return;
    if (columns_ > 0) {
        const int rpc = RowsPerColumn();
        const int column = index / rpc, first = topIndex_ / rpc;
        if (column < first)
            SetTopIndex(column * rpc);
        else if (column >= first + columns_)
            SetTopIndex((column - columns_ + 1) * rpc);
        return;
    }
    if (index < topIndex_) {
        SetTopIndex(index);
        return;
    }
    int top = topIndex_;
    while (top < index && index >= top + VisibleRowsFrom(top)) ++top;
    SetTopIndex(top);
}

QRect TElAdvancedListBox::ItemRect(int index) const {
    const QRect client = ClientRect();
    if (columns_ > 0) {
        const int rpc = RowsPerColumn(), cw = ColumnWidth(), ih = ItemHeight();
        const int column = index / rpc - topIndex_ / rpc, row = index % rpc;
        return QRect(client.left() + column * cw, client.top() + row * ih, cw, ih);
    }
    int y = client.top();
    if (index >= topIndex_) {
        for (int i = topIndex_; i < index; ++i) y += RowHeight(i);
    } else {
        for (int i = index; i < topIndex_; ++i) y -= RowHeight(i);
    }
    const int width = std::max(client.width(), horizontalScroll_ ? maxItemWidth_ : 0);
    return QRect(client.left() - HorizontalPosition(), y, width, RowHeight(index));
}

int TElAdvancedListBox::ItemAtPos(QPoint point) const {
    const QRect client = ClientRect();
    if (!client.contains(point)) return -1;
    const int count = items_.Count();
    if (columns_ > 0) {
        const int rpc = RowsPerColumn(), cw = ColumnWidth(), ih = ItemHeight();
        const int row = (point.y() - client.top()) / ih;
        if (row >= rpc) return -1;
        const int column = (point.x() - client.left()) / cw + topIndex_ / rpc;
        const int index = column * rpc + row;
        return index < count ? index : -1;
    }
    int y = client.top();
    for (int i = topIndex_; i < count; ++i) {
        const int h = RowHeight(i);
        if (point.y() < y + h) return i;
        y += h;
        if (y > client.bottom()) break;
    }
    return -1;
}

int TElAdvancedListBox::GetItemWidth(int index) const {
    if (index < 0 || index >= items_.Count()) return 0;
    const QFontMetrics fm(font());
    const QString text = items_[index] + QLatin1Char('W');
    if (tabWidth_ >= 1) {
        const int stop = static_cast<int>(std::nearbyint(fm.horizontalAdvance(QLatin1Char('0')) * tabWidth_ * 0.25));
        return fm.size(Qt::TextSingleLine | Qt::TextExpandTabs, text, std::max(1, stop)).width();
    }
    return fm.horizontalAdvance(text);
}

void TElAdvancedListBox::RecomputeExtent() {
    maxItemWidth_ = 0;
    if (!horizontalScroll_) return;
    for (int i = 0; i < items_.Count(); ++i) maxItemWidth_ = std::max(maxItemWidth_, GetItemWidth(i));
}

// ---- painting

void TElAdvancedListBox::UpdateWithScrollBars() {
    update();
    vertBar_->update();
    horzBar_->update();
}

bool TElAdvancedListBox::FlatScrollBarsShown() const {
    if (!flat_) return false;
    return !(!flatFocusedScrollBars_ && hasFocus() && !mouseOver_);
}

void TElAdvancedListBox::TileBackground(QPainter& p, const QRect& area) {
    if (!useBackground_ || background_.isNull()) return;
    p.drawTiledPixmap(area, QPixmap::fromImage(background_), QPoint(0, 0));
}

void TElAdvancedListBox::PaintFrame(QPainter& p) {
    if (borderStyle_ == bsNone) return;
    const bool active = FrameActive();
    if (IsThemed()) {
        p.save();
        p.setClipRegion(QRegion(rect()) - QRegion(InnerRect()));
        VisualStyles().DrawThemeBackground(ThemeHandle(), p, 0, 0, rect(), nullptr);
        p.restore();
        return;
    }
    if (flat_) {
        DrawButtonFrame(p, rect(), Color(), active ? activeBorderType_ : inactiveBorderType_, borderSides_,
                        active ? lineBorderActive_ : lineBorderInactive_);
        return;
    }
    QRect r = rect();
    DrawEdge(p, r, EDGE_SUNKEN, EdgeSides(borderSides_));
}

void TElAdvancedListBox::DrawItem(QPainter& p, int index, const QRect& rect, int state) {
    static const QMetaMethod drawSignal = QMetaMethod::fromSignal(&TElAdvancedListBox::OnDrawItem);
    if (style_ != lbStandard && isSignalConnected(drawSignal)) {
        emit OnDrawItem(this, index, rect, state);
        return;
    }
    const bool selected = (state & odSelected) != 0;
    // The colours a selected row starts with, before the list's own choices.
    const TColor brush = selected ? clHighlight : Color();
    TColor textColor = selected ? clHighlightText : FontColor();
    QFont font = this->font();
    if (selected && !invertSelection_ && transparentSelection_) textColor = FontColor();

    if (selected && !invertSelection_ && !transparentSelection_) {
        FillRect(p, rect, selectedColor_);
    } else if (ImageFormActive()) {
        PaintImageFormBackground(p, rect, brush);
    } else if (transparent_) {
        // The parent's picture is already beneath the row.
    } else if (useBackground_ && !background_.isNull()) {
        p.save();
        p.setClipRect(rect, Qt::IntersectClip);
        TileBackground(p, ClientRect());
        p.restore();
    } else if (!transparentSelection_) {
        FillRect(p, rect, brush);
    }
    if (selected && invertSelection_) {
        p.save();
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.fillRect(rect, Qt::black);
        p.restore();
    }
    if (selected && !transparentSelection_) {
        font = selectedFont_;
        textColor = selectedFontColor_;
    }
    // Only rows that exist have text; anything else keeps its background.
    if (index < 0 || index >= items_.Count()) return;
    p.setFont(font);
    p.setPen(ToQColor(textColor));
    QRect text = rect.adjusted(2, 0, 0, 0);
    DrawText(p, items_[index], text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TElAdvancedListBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    canvas_ = &p;
    PaintFrame(p);
    const QRect client = ClientRect();
    if (!vertBar_->isHidden() && !horzBar_->isHidden())
        FillRect(p, QRect(client.right() + 1, client.bottom() + 1, kBarSize, kBarSize), clBtnFace);
    p.setClipRect(client);
    if (ImageFormActive()) {
        PaintImageFormBackground(p, client, clNone);
    } else if (!transparent_) {
        if (useBackground_ && !background_.isNull())
            TileBackground(p, client);
        else
            FillRect(p, client, Color());
    }
    const int count = items_.Count();
    const int caret = itemIndex_;
    for (int i = topIndex_; i < count; ++i) {
        const QRect r = ItemRect(i);
        if (r.top() > client.bottom() || (columns_ > 0 && r.left() > client.right())) break;
        int state = 0;
        if (Selected(i)) state |= odSelected;
        if (!isEnabled()) state |= odDisabled;
        if (hasFocus() && i == caret) state |= odFocused;
        p.save();
        p.setClipRect(r.intersected(client));
        DrawItem(p, i, r, state);
        p.restore();
        if (state & odFocused) DrawFocusRect(p, r);
    }
    canvas_ = nullptr;
}

void TElAdvancedListBox::resizeEvent(QResizeEvent* event) {
    TElXPThemedControl::resizeEvent(event);
    Relayout();
}

// ---- mouse and keys

void TElAdvancedListBox::mousePressEvent(QMouseEvent* event) {
    if (isEnabled() && focusPolicy() != Qt::NoFocus) setFocus(Qt::MouseFocusReason);
    const QPoint pos = event->position().toPoint();
    const int index = ItemAtPos(pos);
    pressedOnItem_ = false;
    if (event->button() == Qt::LeftButton && index >= 0) {
        pressedOnItem_ = true;
        const Qt::KeyboardModifiers mods = event->modifiers();
        // Ctrl keeps what was chosen before; otherwise the drag's range is the whole selection.
        dragBase_.assign(selected_.size(), 0);
        if (mods & Qt::ControlModifier) dragBase_ = selected_;
        if (!multiSelect_) {
            SelectOnly(index);
        } else if (!extendedSelect_) {
            selected_[static_cast<std::size_t>(index)] ^= 1;
            itemIndex_ = index;
        } else if (mods & Qt::ShiftModifier) {
            SelectRange(anchor_, index, (mods & Qt::ControlModifier) != 0);
            itemIndex_ = index;
            dragSelects_ = true;
        } else if (mods & Qt::ControlModifier) {
            selected_[static_cast<std::size_t>(index)] ^= 1;
            itemIndex_ = anchor_ = index;
            dragSelects_ = selected_[static_cast<std::size_t>(index)] != 0;
        } else {
            SelectOnly(index);
            anchor_ = index;
            dragSelects_ = true;
        }
        EnsureVisible(index);
        update();
    }
    const QPoint client = pos - ClientRect().topLeft();
    // A handler may open a dialog that closes this one; nothing is touched after it.
    emit OnMouseDown(event->button(), event->modifiers(), client.x(), client.y());
}

void TElAdvancedListBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const QPointer<TElAdvancedListBox> self(this);
    const QPoint client = pos - ClientRect().topLeft();
    emit OnMouseMove(event->modifiers(), client.x(), client.y());
    if (!self) return;
    if (pressedOnItem_ && (event->buttons() & Qt::LeftButton)) {
        if (ClientRect().contains(pos)) {
            StopAutoScroll();
            const int index = ItemAtPos(pos);
            if (index >= 0) DragTo(index);
        } else {
            dragPoint_ = pos;
            if (!autoScroll_) {
                autoScroll_ = new QTimer(this);
                autoScroll_->setInterval(kAutoScrollInterval);
                connect(autoScroll_, &QTimer::timeout, this, [this] { AutoScrollTick(); });
            }
            if (!autoScroll_->isActive()) autoScroll_->start();
        }
    }
    // Line hint: a row change cancels a pending or shown hint and, for a row, starts the pause.
    const int row = ItemAtPos(pos);
    if (row != hintIndex_) {
        if (hintTimer_) hintTimer_->stop();
        ReleaseHint();
        if (showLineHint_ && row >= 0) {
            hintIndex_ = row;
            if (!hintTimer_) {
                hintTimer_ = new QTimer(this);
                hintTimer_->setSingleShot(true);
                connect(hintTimer_, &QTimer::timeout, this, [this]() { HintTick(); });
            }
            hintTimer_->start(HintPause);
        } else {
            hintIndex_ = -1;
        }
    }
}

void TElAdvancedListBox::DragTo(int index) {
    if (index < 0 || index >= items_.Count()) return;
    if (!multiSelect_) {
        if (index == itemIndex_) return;
        SelectOnly(index);
    } else if (!extendedSelect_) {
        itemIndex_ = index;  // a toggling list changes rows by clicks only: the caret follows
    } else {
        selected_ = dragBase_;
        selected_.resize(static_cast<std::size_t>(items_.Count()), 0);
        const int from = anchor_ < 0 ? index : anchor_;
        for (int i = std::min(from, index); i <= std::max(from, index); ++i)
            selected_[static_cast<std::size_t>(i)] = dragSelects_ ? 1 : 0;
        itemIndex_ = index;
    }
    EnsureVisible(index);
    update();
}

void TElAdvancedListBox::AutoScrollTick() {
    const int count = items_.Count();
    if (!pressedOnItem_ || count == 0) {
        StopAutoScroll();
        return;
    }
    const QRect client = ClientRect();
    int target = itemIndex_ < 0 ? topIndex_ : itemIndex_;
    if (columns_ > 0 && dragPoint_.x() < client.left())
        target -= RowsPerColumn();
    else if (columns_ > 0 && dragPoint_.x() > client.right())
        target += RowsPerColumn();
    else if (dragPoint_.y() < client.top())
        target -= 1;
    else if (dragPoint_.y() > client.bottom())
        target += 1;
    DragTo(std::clamp(target, 0, count - 1));
}

void TElAdvancedListBox::StopAutoScroll() {
    if (autoScroll_) autoScroll_->stop();
}

void TElAdvancedListBox::hideEvent(QHideEvent* event) {
    TElXPThemedControl::hideEvent(event);
    StopAutoScroll();
}

void TElAdvancedListBox::mouseReleaseEvent(QMouseEvent* event) {
    const QPointer<TElAdvancedListBox> self(this);
    if (event->button() == Qt::LeftButton) StopAutoScroll();
    if (event->button() == Qt::LeftButton && pressedOnItem_) {
        pressedOnItem_ = false;
        emit OnClick();
        // The click's handler may have closed the dialog and the list with it.
        if (!self) return;
    }
    const QPoint client = event->position().toPoint() - ClientRect().topLeft();
    emit OnMouseUp(event->button(), event->modifiers(), client.x(), client.y());
}

void TElAdvancedListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QPointer<TElAdvancedListBox> self(this);
    mousePressEvent(event);
    if (self && event->button() == Qt::LeftButton) emit OnDblClick();
}

void TElAdvancedListBox::wheelEvent(QWheelEvent* event) {
    QScrollBar* bar = columns_ > 0 ? horzBar_ : vertBar_;
    if (bar->isHidden()) return;
    const int steps = event->angleDelta().y() / 120;
    bar->setValue(bar->value() - steps * (columns_ > 0 ? 1 : 3));
    event->accept();
}

void TElAdvancedListBox::KeyMove(int target, Qt::KeyboardModifiers mods) {
    const int count = items_.Count();
    if (count == 0) return;
    target = std::clamp(target, 0, count - 1);
    bool changed = false;
    if (!multiSelect_) {
        if (target != itemIndex_) {
            SelectOnly(target);
            changed = true;
        }
    } else if (!extendedSelect_ || (mods & Qt::ControlModifier)) {
        itemIndex_ = target;  // the caret moves; the selection stays
    } else if (mods & Qt::ShiftModifier) {
        SelectRange(anchor_, target, false);
        itemIndex_ = target;
        changed = true;
    } else {
        SelectOnly(target);
        anchor_ = target;
        changed = true;
    }
    EnsureVisible(target);
    update();
    if (changed) emit OnClick();
}

bool TElAdvancedListBox::NavigationKey(int key, Qt::KeyboardModifiers mods) {
    const int count = items_.Count();
    const int caret = itemIndex_;
    const int page = columns_ > 0 ? RowsPerColumn() * columns_ : VisibleRowsFrom(topIndex_);
    const int across = columns_ > 0 ? RowsPerColumn() : 1;
    int target = -2;
    switch (key) {
        case Qt::Key_Up: target = caret < 0 ? 0 : caret - 1; break;
        case Qt::Key_Down: target = caret < 0 ? 0 : caret + 1; break;
        case Qt::Key_Left: target = caret < 0 ? 0 : caret - across; break;
        case Qt::Key_Right: target = caret < 0 ? 0 : caret + across; break;
        case Qt::Key_Home: target = 0; break;
        case Qt::Key_End: target = count - 1; break;
        case Qt::Key_PageUp: target = caret < 0 ? 0 : caret - std::max(1, page - 1); break;
        case Qt::Key_PageDown: target = caret < 0 ? 0 : caret + std::max(1, page - 1); break;
        case Qt::Key_Space:
            if (multiSelect_ && caret >= 0 && caret < count) {
                if (!extendedSelect_ || (mods & Qt::ControlModifier))
                    selected_[static_cast<std::size_t>(caret)] ^= 1;
                else
                    SelectOnly(caret);
                anchor_ = caret;
                update();
                emit OnClick();
                return true;
            }
            break;
        default: break;
    }
    if (target == -2 || count == 0) return false;
    KeyMove(target, mods);
    return true;
}

bool TElAdvancedListBox::TypeAhead(QChar ch) {
    const int count = items_.Count();
    if (count == 0 || !ch.isPrint()) return false;
    // Characters typed in quick succession make one prefix; after a pause a new one starts.
    if (!typedAt_.isValid() || typedAt_.elapsed() >= QApplication::keyboardInputInterval()) typed_.clear();
    typedAt_.restart();
    // The same letter again steps on to the next row that starts with it.
    const bool again = typed_.size() == 1 && QString::compare(typed_, QString(ch), Qt::CaseInsensitive) == 0;
    if (!again) typed_ += ch;
    const int caret = std::max(itemIndex_, 0);
    const int start = typed_.size() == 1 ? (itemIndex_ < 0 ? 0 : caret + 1) : caret;
    for (int i = 0; i < count; ++i) {
        const int row = (start + i) % count;
        if (items_[row].startsWith(typed_, Qt::CaseInsensitive)) {
            KeyMove(row, Qt::NoModifier);
            return true;
        }
    }
    return true;
}

void TElAdvancedListBox::keyPressEvent(QKeyEvent* event) {
    const auto navigate = [&](int key) { return NavigationKey(key, event->modifiers()); };
    const auto typed = [&](QChar ch) {
        return !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) && TypeAhead(ch);
    };
    if (RaiseKeyPressEvents(this, event, navigate, typed)) TElXPThemedControl::keyPressEvent(event);
}

void TElAdvancedListBox::keyReleaseEvent(QKeyEvent* event) {
    if (RaiseKeyUp(this, event)) TElXPThemedControl::keyReleaseEvent(event);
}

void TElAdvancedListBox::focusInEvent(QFocusEvent* event) {
    TElXPThemedControl::focusInEvent(event);
    const QPointer<TElAdvancedListBox> self(this);
    emit OnEnter();
    if (!self) return;
    UpdateWithScrollBars();
}

void TElAdvancedListBox::focusOutEvent(QFocusEvent* event) {
    TElXPThemedControl::focusOutEvent(event);
    // A dialog opened from a press takes the release with it.
    pressedOnItem_ = false;
    StopAutoScroll();
    const QPointer<TElAdvancedListBox> self(this);
    emit OnExit();
    if (!self) return;
    UpdateWithScrollBars();
}

void TElAdvancedListBox::enterEvent(QEnterEvent* event) {
    TElXPThemedControl::enterEvent(event);
    mouseOver_ = true;
    if (IsThemed() || flat_) update();
}

void TElAdvancedListBox::leaveEvent(QEvent* event) {
    TElXPThemedControl::leaveEvent(event);
    mouseOver_ = false;
    if (IsThemed() || flat_) update();
}

void TElAdvancedListBox::changeEvent(QEvent* event) {
    TElXPThemedControl::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        if (testAttribute(Qt::WA_SetFont)) {
            parentFont_ = false;
        } else if (parentFont_) {
            selectedFont_ = font();
            selectedFontColor_ = clHighlightText;
        }
        RecomputeExtent();
        Relayout();
        update();
    } else if (event->type() == QEvent::EnabledChange) {
        update();
    }
}

// ---- hints

void TElAdvancedListBox::ReleaseHint() {
    if (!hintWindow_) return;
    TListBoxHintWindow* w = hintWindow_;
    hintWindow_ = nullptr;
    w->removeEventFilter(this);
    w->hide();
    w->deleteLater();
}

TListBoxHintWindow* TElAdvancedListBox::CreateHintWindow() { return new TListBoxHintWindow; }

void TElAdvancedListBox::HintTick() { HintTick(mapFromGlobal(QCursor::pos())); }

void TElAdvancedListBox::HintTick(QPoint cursor) {
    if (hintTimer_) hintTimer_->stop();
    if (hintWindow_) {
        ReleaseHint();
        return;
    }
    const int item = ItemAtPos(cursor);
    // The row's own width decides, so a row of a column that is cut off gets its hint too.
    if (item < 0 || GetItemWidth(item) < ItemRect(item).intersected(ClientRect()).width()) {
        hintIndex_ = -1;
        return;
    }
    if (!hintTimer_) {
        hintTimer_ = new QTimer(this);
        hintTimer_->setSingleShot(true);
        connect(hintTimer_, &QTimer::timeout, this, [this]() { HintTick(); });
    }
    if (item == hintIndex_) {
        TListBoxHintWindow* w = CreateHintWindow();
        w->setFont(font());
        const QRect row = ItemRect(item);
        const QSize size = w->CalcHintSize(items_[item]);
        // The hint's text lies where the row's text lies: one pixel of frame, two of margin.
        const QPoint topLeft = mapToGlobal(QPoint(row.left() - 1, row.top() - 1));
        w->ActivateHint(QRect(topLeft, QSize(size.width(), std::max(size.height(), row.height() + 2))), items_[item]);
        w->installEventFilter(this);
        hintWindow_ = w;
        hintTimer_->start(HintHidePause);
    } else {
        hintIndex_ = item;
        hintTimer_->start(hintTimer_->interval());
    }
}

bool TElAdvancedListBox::StandardHint(QPoint point, QString& text, QPoint& screenPos) const {
    text.clear();
    // The application asks only controls that show hints; a list without ShowHint shows none.
    if (!showHint_) return false;
    const int item = ItemAtPos(point);
    if (item < 0) {
        text = hint_;
        screenPos = mapToGlobal(point);
        return !text.isEmpty();
    }
    const QRect row = ItemRect(item);
    if (QFontMetrics(font()).horizontalAdvance(items_[item]) >= row.intersected(ClientRect()).width()) {
        text = items_[item];
        const int x = (columns_ > 0 ? row.left() : ClientRect().left()) - 1;
        screenPos = mapToGlobal(QPoint(x, row.top() - 3));
        return true;
    }
    text.clear();
    return false;
}

bool TElAdvancedListBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == hintWindow_ && event->type() == QEvent::Hide) {
        if (hintTimer_) hintTimer_->stop();
        TListBoxHintWindow* w = hintWindow_;
        hintWindow_ = nullptr;
        w->removeEventFilter(this);
        w->deleteLater();
    }
    return TElXPThemedControl::eventFilter(watched, event);
}

bool TElAdvancedListBox::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        QString text;
        QPoint at;
        if (StandardHint(help->pos(), text, at))
            QToolTip::showText(at, text, this);
        else
            QToolTip::hideText();
        return true;
    }
    return TElXPThemedControl::event(event);
}

}  // namespace kvt::gui
