// Scroll-bar settings, the sizes derived from them, and a plain painting of the bar.
#include "gui/ui/scroll_bar_styles.h"

#include <QPainter>

#include <algorithm>

#include "gui/platform/edges.h"
#include "gui/ui/canvas_utils.h"

namespace kvt::gui {
namespace {

constexpr int kArrowPart = 1;
constexpr int kArrowStateNormal = 9;

}  // namespace

TElScrollBar::TElScrollBar(QWidget* parent) : TElXPThemedControl(parent) {
    SetColor(clBtnFace);
    resize(121, kSystemButtonSize);
}

void TElScrollBar::SetKind(TElScrollBarKind value) {
    if (value == kind_) return;
    kind_ = value;
    UpdateThumb();
}

void TElScrollBar::SetRange(int min, int max) {
    if (min == min_ && max == max_) return;
    min_ = min;
    max_ = max;
    position_ = std::clamp(position_, min_, std::max(min_, max_));
    UpdateThumb();
}

void TElScrollBar::SetPosition(int value) {
    value = std::clamp(value, min_, std::max(min_, max_));
    if (value == position_) return;
    position_ = value;
    UpdateThumb();
}

void TElScrollBar::SetPage(int value) {
    value = std::max(0, value);
    if (value == page_) return;
    page_ = value;
    UpdateThumb();
}

void TElScrollBar::SetImageForm(TElImageFormLink* form) {
    if (form == imageForm_) return;
    if (imageForm_) disconnect(imageForm_, nullptr, this, nullptr);
    imageForm_ = form;
    if (form) connect(form, &TElImageFormLink::Changed, this, qOverload<>(&QWidget::update));
    update();
}

void TElScrollBar::SetShowLeftArrows(bool value) {
    if (value == showLeftArrows_) return;
    showLeftArrows_ = value;
    UpdateThumb();
}

void TElScrollBar::SetShowRightArrows(bool value) {
    if (value == showRightArrows_) return;
    showRightArrows_ = value;
    UpdateThumb();
}

void TElScrollBar::SetSecondaryButtons(bool value) {
    if (value == secondaryButtons_) return;
    secondaryButtons_ = value;
    UpdateThumb();
}

void TElScrollBar::SetMinThumbSize(int value) {
    if (value <= 0 || value == minThumbSize_) return;
    minThumbSize_ = value;
    if (thumbMode_ == etmAuto) UpdateThumb();
}

void TElScrollBar::SetThumbMode(TElScrollThumbMode value) {
    if (value == thumbMode_) return;
    thumbMode_ = value;
    if (value == etmFixed && useSystemMetrics_) thumbSize_ = kSystemThumbSize;
    UpdateThumb();
}

void TElScrollBar::SetThumbSize(int value) {
    if (value <= 0 || value == thumbSize_) return;
    thumbSize_ = value;
    UpdateThumb();
}

void TElScrollBar::SetButtonSize(int value) {
    if (value < 1 || value == buttonSize_) return;
    if (HandleAllocated() && value * 2 > Extent()) return;
    buttonSize_ = value;
    UpdateThumb();
}

void TElScrollBar::ApplySystemMetrics() {
    QSize part;
    const bool themed =
        IsThemed() && VisualStyles().GetThemePartSize(ThemeHandle(), nullptr, kArrowPart, kArrowStateNormal, nullptr,
                                                       TS_TRUE, part) == S_OK;
    if (kind_ == sbHorizontal) {
        buttonSize_ = themed ? part.width() : kSystemButtonSize;
        resize(width(), themed ? part.height() : kSystemButtonSize);
    } else {
        buttonSize_ = themed ? part.height() : kSystemButtonSize;
        resize(themed ? part.width() : kSystemButtonSize, height());
    }
}

void TElScrollBar::SetUseSystemMetrics(bool value) {
    if (value == useSystemMetrics_) return;
    useSystemMetrics_ = value;
    if (value) ApplySystemMetrics();
    UpdateThumb();
}

void TElScrollBar::SetThickness(int value) {
    if (kind_ == sbVertical)
        resize(value, height());
    else
        resize(width(), value);
}

int TElScrollBar::LeftButtonCount() const { return showLeftArrows_ ? (secondaryButtons_ ? 2 : 1) : 0; }
int TElScrollBar::RightButtonCount() const { return showRightArrows_ ? (secondaryButtons_ ? 2 : 1) : 0; }

int TElScrollBar::EffectiveButtonSize() const {
    const int size = useSystemMetrics_ ? kSystemButtonSize : buttonSize_;
    const int buttons = LeftButtonCount() + RightButtonCount();
    if (buttons > 0 && buttons * size > Extent()) return Extent() / buttons;
    return size;
}

int TElScrollBar::EffectiveThumbSize() const {
    if (useSystemMetrics_ && thumbMode_ == etmFixed) return kSystemThumbSize;
    return thumbSize_;
}

int TElScrollBar::ThumbLength() const {
    const int buttons = (LeftButtonCount() + RightButtonCount()) * EffectiveButtonSize();
    const int available = Extent() - buttons;
    if (available < 0) return 0;
    int length;
    if (thumbMode_ == etmFixed) {
        length = EffectiveThumbSize();
    } else if (max_ <= min_) {
        length = available;
    } else if (page_ == 0) {
        length = kSystemThumbSize;
    } else {
        const int range = max_ - min_ + 1;
        length = max_ - min_ >= page_ ? MulDiv(std::min(page_, range), available, range) : available;
    }
    length = std::max(length, minThumbSize_);
    return length > available ? 0 : length;
}

void TElScrollBar::UpdateThumb() {
    const int bs = EffectiveButtonSize();
    const int buttons = (LeftButtonCount() + RightButtonCount()) * bs;
    const int start = LeftButtonCount() * bs;
    const int length = ThumbLength();
    thumbPos_ = start;
    if (buttons + length < Extent() && min_ <= max_) {
        const int range = max_ - min_ + 1;
        const int divisor = range - std::min(page_, range);
        // A page that covers the whole range leaves nothing to scroll: the thumb stays at the start.
        if (divisor > 0) {
            const int travel = MulDiv(Extent() - buttons - length, std::min(max_ + 1 - page_, position_ - min_), divisor);
            thumbPos_ = start + std::max(0, travel);
        }
    }
    update();
}

void TElScrollBar::resizeEvent(QResizeEvent* event) {
    TElXPThemedControl::resizeEvent(event);
    UpdateThumb();
}

void TElScrollBar::CreateWnd() {
    TElXPThemedControl::CreateWnd();
    UpdateThumb();
}

void TElScrollBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool vertical = kind_ == sbVertical;
    if (imageForm_)
        imageForm_->PaintBackground(p, this, rect());
    else
        FillRect(p, rect(), SystemBkColor ? clScrollBar : Color());
    const int bs = EffectiveButtonSize();
    const auto along = [&](int start, int length) {
        return vertical ? QRect(0, start, width(), length) : QRect(start, 0, length, height());
    };
    const auto button = [&](const QRect& r, int direction) {
        FillRect(p, r, clBtnFace);
        if (DrawFrames && DrawArrowFrames) DrawButtonFace3D(p, r, !ThinFrames, false, clBtnFace, Flat);
        DrawArrow(p, direction, r, isEnabled() || NoDisableButtons, ArrowColor);
    };
    const int towardStart = vertical ? 1 : 0, towardEnd = vertical ? 3 : 2;
    for (int i = 0; i < LeftButtonCount(); ++i) button(along(i * bs, bs), i == 0 ? towardStart : towardEnd);
    for (int i = 0; i < RightButtonCount(); ++i) {
        const int start = Extent() - (RightButtonCount() - i) * bs;
        button(along(start, bs), i == RightButtonCount() - 1 ? towardEnd : towardStart);
    }
    const int length = ThumbLength();
    if (length <= 0 || !isEnabled()) return;
    const QRect thumb = along(thumbPos_, length);
    FillRect(p, thumb, Color());
    if (DrawFrames) DrawButtonFace3D(p, thumb, !ThinFrames, false, Color(), Flat);
    if (DrawBars && length > 12) {
        // Three grip lines across the middle of the thumb.
        const int mid = (vertical ? thumb.center().y() : thumb.center().x()) - 2;
        for (int k = 0; k < 3; ++k) {
            const int at = mid + 2 * k;
            const int off = static_cast<int>(BarOffset) + 2;
            const QRect line = vertical ? QRect(thumb.left() + off, at, thumb.width() - 2 * off, 1)
                                        : QRect(at, thumb.top() + off, 1, thumb.height() - 2 * off);
            FillRect(p, line, BarColor);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// TElScrollBarStyles

template <class T>
void TElScrollBarStyles::Write(T& field, T value, bool repaint) {
    if (field == value) return;
    field = value;
    if (repaint) bar_->update();
}

void TElScrollBarStyles::SetActiveFlat(bool value) {
    Write(bar_->ActiveFlat, value, bar_->underMouse() || bar_->hasFocus());
}
void TElScrollBarStyles::SetBlendBackground(bool value) { Write(bar_->BlendBackground, value, bar_->HandleAllocated()); }
void TElScrollBarStyles::SetFlat(bool value) { Write(bar_->Flat, value, true); }
void TElScrollBarStyles::SetNoDisableButtons(bool value) { Write(bar_->NoDisableButtons, value, true); }
void TElScrollBarStyles::SetNoSunkenThumb(bool value) { Write(bar_->NoSunkenThumb, value, false); }
void TElScrollBarStyles::SetOwnerDraw(bool value) { Write(bar_->OwnerDraw, value, true); }
void TElScrollBarStyles::SetSecondBtnKind(TElSecButtonsKind value) {
    Write(bar_->SecondBtnKind, value, bar_->SecondaryButtons());
}
void TElScrollBarStyles::SetArrowColor(TColor value) { Write(bar_->ArrowColor, value, true); }
void TElScrollBarStyles::SetArrowHotTrackColor(TColor value) { Write(bar_->ArrowHotTrackColor, value, true); }
void TElScrollBarStyles::SetDrawArrowFrames(bool value) { Write(bar_->DrawArrowFrames, value, true); }
void TElScrollBarStyles::SetDrawBars(bool value) { Write(bar_->DrawBars, value, true); }
void TElScrollBarStyles::SetBarOffset(unsigned value) { Write(bar_->BarOffset, value, true); }
void TElScrollBarStyles::SetBarColor(TColor value) { Write(bar_->BarColor, value, true); }
void TElScrollBarStyles::SetThinFrames(bool value) { Write(bar_->ThinFrames, value, true); }
void TElScrollBarStyles::SetSystemBkColor(bool value) { Write(bar_->SystemBkColor, value, true); }

void TElScrollBarStyles::SetDrawFrames(bool value) {
    if (value == bar_->DrawFrames) return;
    bar_->DrawFrames = value;
    if (!value) bar_->DrawArrowFrames = false;
    bar_->update();
}

void TElScrollBarStyles::SetUseSystemMetrics(bool value) {
    bar_->SetUseSystemMetrics(value);
    emit OnChange(this);
}

void TElScrollBarStyles::SetWidth(int value) {
    if (bar_->UseSystemMetrics()) {
        // The system's thickness wins: it is applied again.
        bar_->SetUseSystemMetrics(false);
        bar_->SetUseSystemMetrics(true);
    } else {
        bar_->SetThickness(value);
    }
    emit OnChange(this);
}

void TElScrollBarStyles::Assign(const TElScrollBarStyles& source) {
    SetActiveFlat(source.ActiveFlat());
    SetBlendBackground(source.BlendBackground());
    SetColor(source.Color());
    SetFlat(source.Flat());
    SetMinThumbSize(source.MinThumbSize());
    SetOwnerDraw(source.OwnerDraw());
    SetSecondaryButtons(source.SecondaryButtons());
    SetSecondBtnKind(source.SecondBtnKind());
    SetShowTrackHint(source.ShowTrackHint());
    SetThumbMode(source.ThumbMode());
    SetThumbSize(source.ThumbSize());
}

}  // namespace kvt::gui
