// Spin button: parts, repeat, drag line and painting.
#include "gui/ui/spin_button.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "gui/platform/edges.h"
#include "gui/ui/canvas_utils.h"
#include "gui/ui/control_keys.h"

namespace kvt::gui {

TElSpinButton::TElSpinButton(QWidget* parent) : TEventControl(parent), TMoneyFlatLook(this) {
    resize(16, 16);
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
    SetColor(clWindow);
    look_.SetParentColor(true);
    look_.SetParentFont(true);
    timerFactory_ = &MakeEventLoopTimer;
}

TElSpinButton::~TElSpinButton() {
    timer_.reset();
    retired_.reset();
    if (captured_ || dragging_) ReleaseCapture();
}

void TElSpinButton::SetFlat(bool value) {
    if (value == flat_) return;
    flat_ = value;
    update();
}

void TElSpinButton::SetButtonDirection(TElSpinBtnDir value) {
    if (value == direction_) return;
    direction_ = value;
    update();
}

void TElSpinButton::SetButtonType(TElSpinBtnType value) {
    if (value == type_) return;
    type_ = value;
    update();
}

void TElSpinButton::SetUpArrowEnabled(bool value) {
    if (value == upArrowEnabled_) return;
    upArrowEnabled_ = value;
    if (isEnabled()) update();
}

void TElSpinButton::SetDownArrowEnabled(bool value) {
    if (value == downArrowEnabled_) return;
    downArrowEnabled_ = value;
    if (isEnabled()) update();
}

QRect TElSpinButton::FirstPartRect() const {
    const int w = width(), h = height();
    return type_ == sbtUpDown ? RectLTRB(0, 0, w, h / 2) : RectLTRB(0, 0, w / 2, h);
}

QRect TElSpinButton::SecondPartRect() const {
    const int w = width(), h = height();
    return type_ == sbtUpDown ? RectLTRB(0, h / 2 + 1, w, h) : RectLTRB(w / 2 + 1, 0, w, h);
}

int TElSpinButton::PartAt(QPoint pt) const {
    const int along = type_ == sbtUpDown ? pt.y() : pt.x();
    const int half = (type_ == sbtUpDown ? height() : width()) / 2;
    if (along < half) return 1;
    if (along >= half + 2) return 2;
    return 0;
}

bool TElSpinButton::CanHold() const {
    // A modal dialog over the button's window (say, one its own handler opened) ends the hold:
    // the player cannot release the button while it answers.
    const QWidget* modal = QApplication::activeModalWidget();
    return isVisible() && isEnabled() && QWidget::mouseGrabber() == this && (!modal || modal == window());
}

void TElSpinButton::Capture() {
    captured_ = true;
    if (isVisible()) grabMouse();
}

void TElSpinButton::ReleaseCapture() {
    captured_ = false;
    if (QWidget::mouseGrabber() == this) releaseMouse();
}

void TElSpinButton::ShowSizingCursor() {
    const TCursor sizing = type_ == sbtUpDown ? crSizeNS : crSizeWE;
    if (ScreenCursor() != sizing) savedCursor_ = ScreenCursor();
    SetScreenCursor(sizing);
}

void TElSpinButton::RestoreCursor() {
    if (ScreenCursor() == crSizeNS || ScreenCursor() == crSizeWE) SetScreenCursor(savedCursor_);
}

void TElSpinButton::FirePart(bool first) {
    // Up-down: the top part raises; left-right: the right part raises.
    const bool up = (type_ == sbtUpDown) == first;
    if (up)
        emit OnUpClick(increment_);
    else
        emit OnDownClick(increment_);
}

void TElSpinButton::mousePressEvent(QMouseEvent* e) {
    const QPointer<TElSpinButton> self(this);
    const QPoint at = e->position().toPoint();
    if (e->button() == Qt::LeftButton) clicked_ = true;
    emit OnMouseDown(e->button(), e->modifiers(), at.x(), at.y());
    if (self) Press(e);
}

void TElSpinButton::mouseDoubleClickEvent(QMouseEvent* e) {
    // The second press of a double click holds a part like any other press, but is no click.
    const QPointer<TElSpinButton> self(this);
    if (e->button() == Qt::LeftButton) emit OnDblClick();
    if (!self) return;
    const QPoint at = e->position().toPoint();
    emit OnMouseDown(e->button(), e->modifiers(), at.x(), at.y());
    if (self) Press(e);
}

void TElSpinButton::Press(QMouseEvent* e) {
    TElXPThemedControl::mousePressEvent(e);
    e->accept();
    if (e->button() != Qt::LeftButton) return;
    const QPoint pt = e->position().toPoint();
    const int part = PartAt(pt);
    if (part != 0) {
        const QPointer<TElSpinButton> self(this);
        if (part == 1)
            upPressed_ = true;
        else
            downPressed_ = true;
        const int blockedBefore = blockedCount_;
        FirePart(part == 1);
        if (!self) return;
        // A handler that hid or disabled its own button, or asked something in a modal dialog
        // (which took the release), has ended the hold before it began.
        if (!isVisible() || !isEnabled() || blockedCount_ != blockedBefore || !(upPressed_ || downPressed_)) {
            EndHold();
            return;
        }
        Capture();
        timer_ = timerFactory_();
        timer_->OnTimer = [this]() { TimerTick(); };
        timer_->Start(kFirstDelayMs);
        update();
    } else if (useDrag_) {
        ShowSizingCursor();
        dragging_ = true;
        startDistance_ = 0;
        emit OnSpinStart(&startDistance_);
        Capture();
    }
}

void TElSpinButton::TimerTick() {
    if (!timer_) return;
    if (!CanHold()) {
        EndHold();
        return;
    }
    timer_->SetInterval(kRepeatMs);
    if (upPressed_)
        FirePart(true);
    else if (downPressed_)
        FirePart(false);
}

void TElSpinButton::EndHold() {
    clicked_ = false;  // a release that comes after the hold was ended by other means is no click
    RestoreCursor();
    if (dragging_) {
        dragging_ = false;
        ReleaseCapture();
        return;
    }
    if (timer_) {
        timer_->Stop();
        retired_ = std::move(timer_);
    }
    ReleaseCapture();
    upPressed_ = downPressed_ = false;
    update();
}

void TElSpinButton::mouseMoveEvent(QMouseEvent* e) {
    const QPointer<TElSpinButton> self(this);
    emit OnMouseMove(e->modifiers(), static_cast<int>(e->position().x()), static_cast<int>(e->position().y()));
    if (!self) return;
    TElXPThemedControl::mouseMoveEvent(e);
    const QPoint pt = e->position().toPoint();
    const int part = PartAt(pt);
    const bool withinOther = type_ == sbtUpDown ? (pt.x() >= 0 && pt.x() < width()) : (pt.y() >= 0 && pt.y() < height());
    const bool onLine = part == 0 && withinOther;
    const bool held = upPressed_ || downPressed_;
    if (onLine && !held && !dragging_ && useDrag_) {
        Capture();
        ShowSizingCursor();
    } else if (!onLine && !dragging_) {
        if (!timer_ && captured_) ReleaseCapture();
        RestoreCursor();
    }
    if (dragging_) {
        const double d = type_ == sbtUpDown ? (height() / 2 - pt.y()) * increment_ + startDistance_
                                            : (pt.x() - width() / 2) * increment_ + startDistance_;
        emit OnSpinDrag(d);
        return;
    }
    const bool inside = rect().contains(pt);
    const bool up = inside && part == 1, down = inside && part == 2;
    if (up != upHot_ || down != downHot_) {
        upHot_ = up;
        downHot_ = down;
        update();
    }
}

void TElSpinButton::mouseReleaseEvent(QMouseEvent* e) {
    const QPointer<TElSpinButton> self(this);
    const QPoint at = e->position().toPoint();
    if (e->button() == Qt::LeftButton && clicked_) {
        clicked_ = false;
        if (rect().contains(at)) emit OnClick();
        if (!self) return;
    }
    emit OnMouseUp(e->button(), e->modifiers(), at.x(), at.y());
    if (!self) return;
    TElXPThemedControl::mouseReleaseEvent(e);
    if (e->button() != Qt::LeftButton) return;
    EndHold();
}

void TElSpinButton::keyPressEvent(QKeyEvent* e) {
    // The spin button has no keys of its own.
    if (RaiseKeyPressEvents(this, e, [](int) { return false; })) TElXPThemedControl::keyPressEvent(e);
}

void TElSpinButton::keyReleaseEvent(QKeyEvent* e) {
    if (RaiseKeyUp(this, e)) TElXPThemedControl::keyReleaseEvent(e);
}

void TElSpinButton::focusInEvent(QFocusEvent* e) {
    TElXPThemedControl::focusInEvent(e);
    emit OnEnter();
}

bool TElSpinButton::event(QEvent* e) {
    if (e->type() == QEvent::WindowBlocked) {
        ++blockedCount_;
        if (Holding()) EndHold();
    }
    return TElXPThemedControl::event(e);
}

void TElSpinButton::ColorChanged() {
    look_.ColorSet();
    update();
}

void TElSpinButton::FontColorChanged() {
    look_.FontColorSet();
    update();
}

void TElSpinButton::leaveEvent(QEvent* e) {
    TElXPThemedControl::leaveEvent(e);
    upHot_ = downHot_ = false;
    if (IsThemed() || MoneyFlat()) update();
}

void TElSpinButton::wheelEvent(QWheelEvent* e) {
    // The wheel belongs to the value beside the button: its parent gets the event unchanged.
    QWidget* parent = parentWidget();
    if (!parent) {
        e->ignore();
        return;
    }
    QWheelEvent copy(mapToParent(e->position()), e->globalPosition(), e->pixelDelta(), e->angleDelta(), e->buttons(),
                     e->modifiers(), e->phase(), e->inverted(), e->source());
    QApplication::sendEvent(parent, &copy);
    e->accept();
}

void TElSpinButton::contextMenuEvent(QContextMenuEvent* e) {
    if (timer_ || dragging_) EndHold();
    TElXPThemedControl::contextMenuEvent(e);
}

void TElSpinButton::changeEvent(QEvent* e) {
    TElXPThemedControl::changeEvent(e);
    if (e->type() == QEvent::ParentChange || e->type() == QEvent::PaletteChange) {
        look_.AdoptColor();
        look_.AdoptFont();
    }
    if (e->type() == QEvent::FontChange) look_.FontChanged();
    if (e->type() == QEvent::EnabledChange) {
        if (!isEnabled() && Holding()) EndHold();
        update();
    }
}

void TElSpinButton::hideEvent(QHideEvent* e) {
    if (Holding() || captured_) EndHold();
    TElXPThemedControl::hideEvent(e);
}

void TElSpinButton::focusOutEvent(QFocusEvent* e) {
    TElXPThemedControl::focusOutEvent(e);
    emit OnExit();
    update();
}

void TElSpinButton::DrawArrows(QPainter& p) {
    const TColor c = isEnabled() ? clBtnText : clBtnShadow;
    p.setPen(ToQColor(c));
    const auto centre = [](QRect r) {
        r.setWidth(r.width() - 1);
        const int l = r.left(), t = r.top(), rr = r.left() + r.width(), b = r.top() + r.height();
        return QPoint(l + (rr - l) / 2, t + (b - t) / 2);
    };
    const QPoint a = centre(FirstPartRect()), b = centre(SecondPartRect());
    if (direction_ == sbdUpDown) {
        for (const QPoint d : {QPoint(0, -1), QPoint(-1, 0), QPoint(0, 0), QPoint(1, 0)}) p.drawPoint(a + d);
        for (const QPoint d : {QPoint(0, 0), QPoint(-1, -1), QPoint(0, -1), QPoint(1, -1)}) p.drawPoint(b + d);
    } else {
        for (const QPoint d : {QPoint(-1, 0), QPoint(0, -1), QPoint(0, 0), QPoint(0, 1)}) p.drawPoint(a + d);
        for (const QPoint d : {QPoint(0, 0), QPoint(-1, -1), QPoint(-1, 0), QPoint(-1, 1)}) p.drawPoint(b + d);
    }
}

void TElSpinButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect first = FirstPartRect(), second = SecondPartRect();
    // The background is the control's colour; the parts cover all of it but the drag line.
    FillRect(p, rect(), Color());
    FillRect(p, first, clBtnFace);
    FillRect(p, second, clBtnFace);
    if (IsThemed()) {
        const QRect clip = rect();
        const auto state = [](bool enabled, bool pressed, bool hot) {
            return !enabled ? 4 : pressed ? 3 : hot ? 2 : 1;
        };
        const int firstPart = direction_ == sbdUpDown ? 1 : 4;
        const int secondPart = direction_ == sbdUpDown ? 2 : 3;
        VisualStyles().DrawThemeBackground(ThemeHandle(), p, firstPart, state(upArrowEnabled_, upPressed_, upHot_),
                                           first, &clip);
        VisualStyles().DrawThemeBackground(ThemeHandle(), p, secondPart,
                                           state(downArrowEnabled_, downPressed_, downHot_), second, &clip);
        return;
    }
    if (MoneyFlat()) {
        // The parts never show the active colour.
        DrawButtonFrame(p, first, clBtnFace, fbtColorLineBorder, kAllBorderSides, MoneyFlatColor(upPressed_, false));
        DrawButtonFrame(p, second, clBtnFace, fbtColorLineBorder, kAllBorderSides, MoneyFlatColor(downPressed_, false));
    } else {
        DrawSpinButtonFrame(p, first, !flat_, upPressed_);
        DrawSpinButtonFrame(p, second, !flat_, downPressed_);
    }
    DrawArrows(p);
}

}  // namespace kvt::gui
