// Panels: backgrounds, bevels, grab strips, caption placement and the move and resize drags.
#include "gui/ui/panel.h"

#include <QApplication>
#include <QDynamicPropertyChangeEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

#include "gui/platform/edges.h"
#include "gui/platform/text_draw.h"
#include "gui/ui/control_keys.h"
#include "gui/ui/library_tools.h"

namespace kvt::gui {
namespace {

constexpr int kThemePanelPart = 32;

bool IsBitmapType(TElBkGndType t) { return t == bgtTileBitmap || t == bgtStretchBitmap || t == bgtCenterBitmap; }
bool IsGradient(TElBkGndType t) { return t == bgtHorzGradient || t == bgtVertGradient; }
bool IsSizingCode(int code) { return code >= HTLEFT && code <= HTBOTTOMRIGHT; }

Qt::CursorShape SizingCursor(int code) {
    switch (code) {
        case HTLEFT:
        case HTRIGHT: return Qt::SizeHorCursor;
        case HTTOP:
        case HTBOTTOM: return Qt::SizeVerCursor;
        case HTTOPLEFT:
        case HTBOTTOMRIGHT: return Qt::SizeFDiagCursor;
        case HTTOPRIGHT:
        case HTBOTTOMLEFT: return Qt::SizeBDiagCursor;
        default: return Qt::ArrowCursor;
    }
}

// Blends colour over what the painter's target already holds under r, with the library's own
// formula (AlphaFillRect): the transparent panel's tint over what Qt painted beneath it.
void TintBeneath(QPainter& p, const QRect& r, TColor color, int alpha) {
    QPaintDevice* target = p.paintEngine() ? p.paintEngine()->paintDevice() : nullptr;
    const QTransform toTarget = p.deviceTransform();
    QImage beneath;
    QRect area;
    if (target && toTarget.type() <= QTransform::TxScale) {
        area = toTarget.mapRect(QRectF(r)).toAlignedRect();
        if (target->devType() == QInternal::Image) {
            const auto* image = static_cast<const QImage*>(target);
            area &= image->rect();
            beneath = image->copy(area);
        } else if (target->devType() == QInternal::Pixmap) {
            const auto* pixmap = static_cast<const QPixmap*>(target);
            area &= pixmap->rect();
            beneath = pixmap->copy(area).toImage();
        }
    }
    if (beneath.isNull()) {
        // A target whose pixels cannot be read back: Qt's own blend, off by a shade at most.
        QColor tint = ToQColor(color);
        tint.setAlpha(alpha);
        p.fillRect(r, tint);
        return;
    }
    beneath = beneath.convertToFormat(QImage::Format_RGB32);
    AlphaFillRect(beneath, beneath.rect(), color, alpha);
    p.drawImage(toTarget.inverted().mapRect(QRectF(area)), beneath);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Grab handles

void TElPanelGrabHandle::Realign() {
    panel_->UpdateClientArea();
    panel_->update();
}

void TElPanelGrabHandle::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    Realign();
}

void TElPanelGrabHandle::SetSize(int value) {
    if (value == size_) return;
    size_ = std::max(0, value);
    Realign();
}

void TElPanelGrabHandle::SetVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    Realign();
}

void TElPanelGrabHandle::SetBevelKind(TPanelBevel value) {
    if (value == bevelKind_) return;
    bevelKind_ = value;
    panel_->update();
}

void TElPanelGrabHandle::Assign(const TElPanelGrabHandle& source) {
    enabled_ = source.enabled_;
    size_ = source.size_;
    kind_ = source.kind_;
    bevelKind_ = source.bevelKind_;
    visible_ = source.visible_;
    Realign();
}

// ---------------------------------------------------------------------------------------------
// TCustomElPanel

TCustomElPanel::TCustomElPanel(QWidget* parent) : TEventControl(parent) {
    SetColor(clBtnFace);
    // The parent is always painted beneath, which is what the transparent and themed looks show.
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setMouseTracking(true);
}

void TCustomElPanel::SetCaption(const QString& text) {
    if (text == caption_) return;
    caption_ = text;
    update();
}

void TCustomElPanel::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    update();
}

void TCustomElPanel::SetBevelInner(TPanelBevel value) {
    if (value == bevelInner_) return;
    bevelInner_ = value;
    UpdateClientArea();
    update();
}

void TCustomElPanel::SetBevelOuter(TPanelBevel value) {
    if (value == bevelOuter_) return;
    bevelOuter_ = value;
    UpdateClientArea();
    update();
}

void TCustomElPanel::SetBevelWidth(int value) {
    if (value < 1 || value == bevelWidth_) return;
    bevelWidth_ = value;
    UpdateClientArea();
    update();
}

void TCustomElPanel::SetBorderWidth(int value) {
    if (value < 0 || value == borderWidth_) return;
    borderWidth_ = value;
    UpdateClientArea();
    update();
}

void TCustomElPanel::SetAlphaLevel(int value) {
    value = std::clamp(value, 0, 255);
    if (value == alphaLevel_) return;
    alphaLevel_ = value;
    if (transparent_) update();
}

void TCustomElPanel::SetAlwaysPaintBackground(bool value) {
    if (value == alwaysPaintBackground_) return;
    alwaysPaintBackground_ = value;
    if (ownerDraw_) update();
}

void TCustomElPanel::SetBackground(const QImage& picture) {
    background_ = picture;
    PictureChanged();
}

void TCustomElPanel::TakeColorFromPicture() {
    // Done when the picture or the kind changes, never while painting: a paint that changed the
    // colour would repaint again and leave a stored colour nobody set.
    if (backgroundType_ != bgtTopLeftBitmap || background_.isNull()) return;
    SetColor(FromQColor(QColor(background_.pixel(background_.width() - 1, background_.height() - 1))));
}

void TCustomElPanel::PictureChanged() {
    if (background_.width() <= 0 || background_.height() <= 0)
        backgroundType_ = bgtColorFill;
    else
        TakeColorFromPicture();
    update();
}

void TCustomElPanel::SetBackgroundType(TElBkGndType value) {
    if (value == backgroundType_) return;
    if (IsBitmapType(value) && background_.isNull()) value = bgtColorFill;
    backgroundType_ = value;
    TakeColorFromPicture();
    update();
}

void TCustomElPanel::SetGradientStartColor(TColor value) {
    if (value == gradientStart_) return;
    gradientStart_ = value;
    if (IsGradient(backgroundType_)) update();
}

void TCustomElPanel::SetGradientEndColor(TColor value) {
    if (value == gradientEnd_) return;
    gradientEnd_ = value;
    if (IsGradient(backgroundType_)) update();
}

void TCustomElPanel::SetGradientSteps(int value) {
    if (value <= 0) return;
    value = std::min(value, kMaxGradientSteps);
    if (value == gradientSteps_) return;
    gradientSteps_ = value;
    if (IsGradient(backgroundType_)) update();
}

void TCustomElPanel::SetLayout(TTextLayout value) {
    if (value == layout_) return;
    layout_ = value;
    if (!caption_.isEmpty()) update();
}

void TCustomElPanel::SetOwnerDraw(bool value) {
    if (value == ownerDraw_) return;
    ownerDraw_ = value;
    update();
}

void TCustomElPanel::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    RecreateWnd();
    update();
}

void TCustomElPanel::SetTransparentXPThemes(bool value) {
    if (value == transparentXPThemes_) return;
    transparentXPThemes_ = value;
    update();
}

int TCustomElPanel::BevelDepth() const {
    const int depth = (bevelOuter_ != bvNone ? bevelWidth_ : 0) + (bevelInner_ != bvNone ? bevelWidth_ : 0);
    return std::max(1, depth);
}

QRect TCustomElPanel::GrabHandleRect(const TElPanelGrabHandle& h, QRect area) const {
    const int s = h.Size();
    if (&h == &leftHandle_) return QRect(area.left(), area.top(), s, area.height());
    if (&h == &rightHandle_) return QRect(area.left() + area.width() - s, area.top(), s, area.height());
    if (&h == &topHandle_) return QRect(area.left(), area.top(), area.width(), s);
    return QRect(area.left(), area.top() + area.height() - s, area.width(), s);
}

QRect TCustomElPanel::InsideBorder() const {
    return borderStyle_ == bsSingle ? rect().adjusted(2, 2, -2, -2) : rect();
}

void TCustomElPanel::SetBorderStyle(TBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    UpdateClientArea();
    update();
}

bool TCustomElPanel::MouseCapture() const { return QWidget::mouseGrabber() == this; }

void TCustomElPanel::SetMouseCapture(bool value) {
    if (value == MouseCapture()) return;
    if (value)
        grabMouse();
    else
        releaseMouse();
}

QRect TCustomElPanel::AdjustClientRect(QRect r) const {
    if (borderStyle_ == bsSingle) r.adjust(2, 2, -2, -2);
    for (const TElPanelGrabHandle* h : {&leftHandle_, &rightHandle_, &topHandle_, &bottomHandle_}) {
        if (!h->Active()) continue;
        if (h == &leftHandle_) r.setLeft(r.left() + h->Size());
        if (h == &rightHandle_) r.setRight(r.right() - h->Size());
        if (h == &topHandle_) r.setTop(r.top() + h->Size());
        if (h == &bottomHandle_) r.setBottom(r.bottom() - h->Size());
    }
    return r;
}

void TCustomElPanel::UpdateClientArea() {
    const QRect all(0, 0, 1000, 1000);
    const QRect inner = AdjustClientRect(all);
    setContentsMargins(inner.left(), inner.top(), all.right() - inner.right(), all.bottom() - inner.bottom());
}

int TCustomElPanel::HitTest(QPoint point) const {
    if (!rect().contains(point)) return HTNOWHERE;
    if (resizable_) return GrabHitTest(rect(), point, bevelWidth_, height() / 8);
    const int d = BevelDepth();
    const QRect area = InsideBorder().adjusted(d, d, -d, -d);
    const std::pair<const TElPanelGrabHandle*, int> handles[] = {
        {&leftHandle_, HTLEFT}, {&rightHandle_, HTRIGHT}, {&topHandle_, HTTOP}, {&bottomHandle_, HTBOTTOM}};
    for (const auto& [h, sizing] : handles) {
        if (!h->Enabled() || h->Size() <= 0 || !GrabHandleRect(*h, area).contains(point)) continue;
        if (h->Kind() == ghkMove) return HTCAPTION;
        if (h->Kind() == ghkResize) return sizing;
        return HTCLIENT;
    }
    return HTCLIENT;
}

void TCustomElPanel::Frame3D(QPainter& p, QRect& r, TColor topLeft, TColor bottomRight, int width) {
    for (int i = 0; i < width && r.width() > 0 && r.height() > 0; ++i) {
        Draw3dRect(p, r.left(), r.top(), r.width(), r.height(), topLeft, bottomRight);
        r.adjust(1, 1, -1, -1);
    }
}

void TCustomElPanel::SetImageForm(TElImageFormLink* form) { LinkImageForm(this, imageForm_, form); }

void TCustomElPanel::PaintBackground(QPainter& p, const QRect& r) {
    if (imageForm_) {
        if (alphaLevel_ <= 0 || r.isEmpty()) {
            imageForm_->PaintBackground(p, this, r);
            return;
        }
        // The tint goes on in a work bitmap holding the image form's share.
        const qreal ratio = p.device() ? p.device()->devicePixelRatio() : 1.0;
        QImage work((QSizeF(r.size()) * ratio).toSize(), QImage::Format_RGB32);
        work.setDevicePixelRatio(ratio);
        work.fill(Qt::black);
        {
            QPainter wp(&work);
            wp.translate(-r.topLeft());
            imageForm_->PaintBackground(wp, this, r);
        }
        AlphaFillRect(work, work.rect(), Color(), alphaLevel_);
        p.drawImage(r.topLeft(), work);
        return;
    }
    switch (backgroundType_) {
        case bgtTileBitmap:
            if (!background_.isNull()) {
                p.drawTiledPixmap(r, QPixmap::fromImage(background_), QPoint(r.left(), r.top()));
                return;
            }
            break;
        case bgtStretchBitmap:
            if (!background_.isNull()) {
                p.drawImage(r, background_);
                return;
            }
            break;
        case bgtCenterBitmap:
            FillRect(p, r, Color());
            if (!background_.isNull()) {
                const QRect c = CenterRect(background_.width(), background_.height(), r.width(), r.height());
                p.drawImage(c.topLeft() + r.topLeft(), background_);
            }
            return;
        case bgtHorzGradient:
        case bgtVertGradient:
            GradientFillRect(p, r, gradientStart_, gradientEnd_, gradientSteps_, backgroundType_ == bgtVertGradient);
            return;
        case bgtTopLeftBitmap:
            FillRect(p, r, Color());
            if (!background_.isNull()) p.drawImage(r.topLeft(), background_);
            return;
        default:
            break;
    }
    FillRect(p, r, Color());
}

void TCustomElPanel::PaintGrabHandle(QPainter& p, const TElPanelGrabHandle& h, const QRect& strip, bool vertical) {
    FillRect(p, strip, Color());
    const TColor first = h.BevelKind() == bvRaised ? clBtnHighlight : clBtnShadow;
    const TColor second = h.BevelKind() == bvRaised ? clBtnShadow : clBtnHighlight;
    if (vertical) {
        const int x = strip.left() + strip.width() / 2 - 1;
        FillRect(p, QRect(x, strip.top() + 1, 1, strip.height() - 2), first);
        FillRect(p, QRect(x + 1, strip.top() + 1, 1, strip.height() - 2), second);
    } else {
        const int y = strip.top() + strip.height() / 2 - 1;
        FillRect(p, QRect(strip.left() + 1, y, strip.width() - 2, 1), first);
        FillRect(p, QRect(strip.left() + 1, y + 1, strip.width() - 2, 1), second);
    }
}

QRect TCustomElPanel::PaintFrame(QPainter& p) {
    QRect r = rect();
    if (borderStyle_ == bsSingle) DrawEdge(p, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    const bool themed = IsThemed();
    bool paintedBackground = false;
    if (themed) {
        if (transparentXPThemes_)
            VisualStyles().DrawThemeParentBackground(this, p, &r);
        else
            FillRect(p, r, Color());
    } else if (transparent_) {
        if (alphaLevel_ > 0) TintBeneath(p, r, Color(), alphaLevel_);
    } else if (!(ownerDraw_ && !alwaysPaintBackground_)) {
        PaintBackground(p, r);
        paintedBackground = true;
    }

    const auto bevel = [&](TPanelBevel kind) {
        if (kind == bvNone) return;
        if (themed) {
            const bool raised = kind == bvRaised;
            QRect content = r;
            if (VisualStyles().DrawThemeEdge(ThemeHandle(), p, kThemePanelPart, raised ? 2 : 3, r,
                                             raised ? BDR_RAISEDOUTER : BDR_SUNKENOUTER, BF_RECT | BF_ADJUST,
                                             &content) == S_OK)
                r = content;
            else
                r.adjust(1, 1, -1, -1);
            return;
        }
        if (kind == bvRaised)
            Frame3D(p, r, clBtnHighlight, clBtnShadow, bevelWidth_);
        else
            Frame3D(p, r, clBtnShadow, clBtnHighlight, bevelWidth_);
    };
    bevel(bevelOuter_);
    if (themed) {
        r.adjust(bevelWidth_, bevelWidth_, -bevelWidth_, -bevelWidth_);
    } else if (borderWidth_ > 0) {
        if (!paintedBackground)
            Frame3D(p, r, Color(), Color(), borderWidth_);
        else
            r.adjust(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_);
    }
    bevel(bevelInner_);

    const std::pair<const TElPanelGrabHandle*, bool> order[] = {
        {&leftHandle_, true}, {&rightHandle_, true}, {&topHandle_, false}, {&bottomHandle_, false}};
    for (const auto& [h, vertical] : order) {
        if (!h->Active() || h->BevelKind() == bvNone) continue;
        const QRect strip = GrabHandleRect(*h, r);
        PaintGrabHandle(p, *h, strip, vertical);
        if (h == &leftHandle_) r.setLeft(r.left() + h->Size());
        if (h == &rightHandle_) r.setRight(r.right() - h->Size());
        if (h == &topHandle_) r.setTop(r.top() + h->Size());
        if (h == &bottomHandle_) r.setBottom(r.bottom() - h->Size());
    }
    return r;
}

void TCustomElPanel::PaintCaption(QPainter& p, QRect r) {
    if (caption_.isEmpty()) return;
    p.setFont(font());
    p.setPen(ToQColor(FontColor()));
    std::uint32_t flags = DT_EXPANDTABS | DT_NOCLIP;
    if (alignment_ == taCenter)
        flags |= DT_CENTER;
    else if (alignment_ == taRightJustify)
        flags |= DT_RIGHT;
    if (layout_ != tlTop) {
        // Measured where the frame leaves off (top T, bottom B), then moved against the panel's
        // whole height; a frame T deep therefore sets a bottom caption T below the panel's edge.
        QRect measured = r;
        DrawText(p, caption_, measured, flags | DT_CALCRECT);
        const int t = measured.top(), b = measured.top() + measured.height();
        r.translate(0, layout_ == tlCenter ? (height() - b) / 2 + t : height() - b + t);
    }
    DrawText(p, caption_, r, flags);
}

void TCustomElPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    canvas_ = &p;
    const QRect r = PaintFrame(p);
    if (ownerDraw_) {
        emit OnPaint();
    } else {
        PaintCaption(p, r);
    }
    canvas_ = nullptr;
}

void TCustomElPanel::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && dragAction_ == 0) {
        // A press on a grab strip or a sizing border belongs to the window system's move or
        // size, as a press on a title bar does: the panel sees no press of its own.
        const int code = HitTest(pos);
        if (code == HTCAPTION || IsSizingCode(code)) {
            StartMoving(this, code, event->globalPosition().toPoint());
            return;
        }
        buttonDown_ = true;
        clicked_ = clickEvents_;
    }
    emit OnMouseDown(event->button(), event->modifiers(), pos.x(), pos.y());
}

void TCustomElPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is a double click, not another click.
    const QPointer<TCustomElPanel> self(this);
    if (event->button() == Qt::LeftButton && clickEvents_) emit OnDblClick();
    if (!self) return;
    const QPoint pos = event->position().toPoint();
    emit OnMouseDown(event->button(), event->modifiers(), pos.x(), pos.y());
}

void TCustomElPanel::StartMoving(QWidget* target, int action, QPoint globalStart) {
    clicked_ = false;
    dragAction_ = action;
    dragTarget_ = target;
    dragStart_ = globalStart;
    dragGeometry_ = target->geometry();
}

void TCustomElPanel::mouseMoveEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    if (dragAction_ != 0) {
        // The window system's move or size owns the mouse until the release.
        if (!dragTarget_) return;
        const QPoint delta = global - dragStart_;
        if (dragAction_ == HTCAPTION) {
            dragTarget_->move(dragGeometry_.topLeft() + delta);
            return;
        }
        QRect g = dragGeometry_;
        if (dragAction_ == HTLEFT || dragAction_ == HTTOPLEFT || dragAction_ == HTBOTTOMLEFT) g.setLeft(g.left() + delta.x());
        if (dragAction_ == HTRIGHT || dragAction_ == HTTOPRIGHT || dragAction_ == HTBOTTOMRIGHT)
            g.setRight(g.right() + delta.x());
        if (dragAction_ == HTTOP || dragAction_ == HTTOPLEFT || dragAction_ == HTTOPRIGHT) g.setTop(g.top() + delta.y());
        if (dragAction_ == HTBOTTOM || dragAction_ == HTBOTTOMLEFT || dragAction_ == HTBOTTOMRIGHT)
            g.setBottom(g.bottom() + delta.y());
        if (g.width() >= 1 && g.height() >= 1) dragTarget_->setGeometry(g);
        return;
    }
    const QPointer<TCustomElPanel> self(this);
    const QPoint pos = event->position().toPoint();
    emit OnMouseMove(event->modifiers(), pos.x(), pos.y());
    if (!self) return;
    if (!mouseInControl_) MouseEnter();
    if (!self) return;
    if (!buttonDown_ || !(event->buttons() & Qt::LeftButton)) {
        setCursor(SizingCursor(HitTest(pos)));
        return;
    }
    const int d = BevelDepth();
    const QRect area = InsideBorder().adjusted(d, d, -d, -d);
    for (const TElPanelGrabHandle* h : {&leftHandle_, &rightHandle_, &topHandle_, &bottomHandle_}) {
        if (h->Enabled() && h->Kind() == ghkMoveParent && h->Size() > 0 && GrabHandleRect(*h, area).contains(pos)) {
            buttonDown_ = false;
            if (parentWidget()) StartMoving(parentWidget(), HTCAPTION, global);
            return;
        }
    }
    if (movable_) {
        buttonDown_ = false;
        MouseLeave();
        if (self) StartMoving(this, HTCAPTION, global);
    }
}

void TCustomElPanel::mouseReleaseEvent(QMouseEvent* event) {
    const QPointer<TCustomElPanel> self(this);
    if (event->button() == Qt::LeftButton && dragAction_ != 0) {
        // The end of the window system's move: the panel hears of its own move, not its parent's.
        QWidget* target = dragTarget_;
        const bool moved = target && target->pos() != dragGeometry_.topLeft();
        dragAction_ = 0;
        dragTarget_ = nullptr;
        if (moved && target == this) emit OnMove();
        if (!self) return;
        update();
        for (QWidget* child : findChildren<QWidget*>()) child->update();
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        buttonDown_ = false;
        const bool click = clicked_ && rect().contains(pos);
        clicked_ = false;
        if (click) emit OnClick();
        if (!self) return;
    }
    MouseReleased(event);
    if (!self) return;
    emit OnMouseUp(event->button(), event->modifiers(), pos.x(), pos.y());
}

bool TCustomElPanel::KeyIsOwn() const {
    if (passingKey_) return true;
    const QWidget* focus = QApplication::focusWidget();
    if (!focus) focus = window()->focusWidget();
    return !focus || focus == this || !isAncestorOf(focus);
}

void TCustomElPanel::PassKeyPress(QKeyEvent* event) {
    passingKey_ = true;
    keyPressEvent(event);
    passingKey_ = false;
}

bool TCustomElPanel::SetGrabHandleProperty(const QByteArray& name, const QVariant& value) {
    const int dot = name.indexOf('.');
    if (dot < 0 || !value.isValid()) return false;
    const QByteArray side = name.left(dot), field = name.mid(dot + 1);
    TElPanelGrabHandle* handle = side == "LeftGrabHandle"    ? &leftHandle_
                                 : side == "RightGrabHandle"  ? &rightHandle_
                                 : side == "TopGrabHandle"    ? &topHandle_
                                 : side == "BottomGrabHandle" ? &bottomHandle_
                                                              : nullptr;
    if (!handle) return false;
    const int number = value.toInt();
    if (field == "Enabled") {
        handle->SetEnabled(value.toBool());
    } else if (field == "Size") {
        handle->SetSize(number);
    } else if (field == "Kind") {
        handle->SetKind(static_cast<TElPanelGrabHandleKind>(number < 0 || number > 3 ? 0 : number));
    } else if (field == "BevelKind") {
        handle->SetBevelKind(static_cast<TPanelBevel>(number < 0 || number > 2 ? 0 : number));
    } else if (field == "Visible") {
        handle->SetVisible(value.toBool());
    } else {
        return false;
    }
    return true;
}

bool TCustomElPanel::event(QEvent* event) {
    if (event->type() == QEvent::DynamicPropertyChange) {
        const QByteArray name = static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName();
        // The strip holds the setting; a copy left beside it would go stale.
        if (SetGrabHandleProperty(name, property(name.constData()))) setProperty(name.constData(), QVariant());
    }
    return TEventControl::event(event);
}

void TCustomElPanel::keyPressEvent(QKeyEvent* event) {
    // A key the focused control inside did not use goes on to the dialog, unseen by the panel.
    if (!KeyIsOwn()) {
        event->ignore();
        return;
    }
    if (RaiseKeyPressEvents(this, event, [&](int key) { return KeyDown(key, event->modifiers()); }))
        TElXPThemedControl::keyPressEvent(event);
}

void TCustomElPanel::keyReleaseEvent(QKeyEvent* event) {
    if (!KeyIsOwn()) {
        event->ignore();
        return;
    }
    if (RaiseKeyUp(this, event)) TElXPThemedControl::keyReleaseEvent(event);
}

void TCustomElPanel::focusInEvent(QFocusEvent* event) {
    TElXPThemedControl::focusInEvent(event);
    emit OnEnter();
}

void TCustomElPanel::focusOutEvent(QFocusEvent* event) {
    TElXPThemedControl::focusOutEvent(event);
    // A dialog opened from a press takes the release with it.
    buttonDown_ = false;
    clicked_ = false;
    emit OnExit();
}

void TCustomElPanel::MouseEnter() {
    mouseInControl_ = true;
    emit OnMouseEnter();
}

void TCustomElPanel::MouseLeave() {
    mouseInControl_ = false;
    emit OnMouseLeave();
}

void TCustomElPanel::enterEvent(QEnterEvent* event) {
    TElXPThemedControl::enterEvent(event);
    if (!mouseInControl_) MouseEnter();
}

void TCustomElPanel::leaveEvent(QEvent* event) {
    TElXPThemedControl::leaveEvent(event);
    if (mouseInControl_) MouseLeave();
}

}  // namespace kvt::gui
