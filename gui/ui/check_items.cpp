// Check boxes and radio buttons: marks, captions, mouse, keys and the radio rule of one parent.
#include "gui/ui/check_items.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <array>

#include "gui/platform/text_draw.h"
#include "gui/ui/canvas_utils.h"
#include "gui/ui/control_keys.h"

namespace kvt::gui {
namespace {

constexpr int kSystemMark = 13;
constexpr std::uint32_t kDttGrayed = 1;

// Notes when a Tab or Shift+Tab press is being delivered, so that a radio button can tell focus
// moved by the player's keyboard from focus given by a dialog opening or by code.
class TabKeyWatcher : public QObject {
public:
    using QObject::QObject;
    bool active = false;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
            auto* k = static_cast<QKeyEvent*>(e);
            const bool tab = k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab;
            const bool plain = !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
            if (tab && plain && e->type() == QEvent::KeyPress && !active) {
                active = true;
                // Focus moves while the press is delivered; anything later is not keyboard navigation.
                QTimer::singleShot(0, this, [this]() { active = false; });
            } else if (tab && e->type() == QEvent::KeyRelease) {
                active = false;
            }
        }
        return QObject::eventFilter(watched, e);
    }
};

TabKeyWatcher* Watcher() {
    static QPointer<TabKeyWatcher> watcher;
    if (!watcher && qApp) {
        watcher = new TabKeyWatcher(qApp);
        qApp->installEventFilter(watcher);
    }
    return watcher;
}

using Pixel = std::array<int, 2>;
// The flat radio frame, as offsets from one pixel right of the mark's top-left corner.
constexpr std::array<Pixel, 28> kRadioInnerRing = {{
    {1, 4}, {1, 5}, {1, 6}, {1, 7}, {2, 2}, {2, 3}, {2, 8}, {3, 2}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 2}, {9, 2},
    {2, 9}, {3, 9}, {4, 10}, {5, 10}, {6, 10}, {7, 10}, {8, 9}, {9, 9}, {9, 8}, {10, 7}, {10, 6}, {10, 5}, {10, 4},
    {9, 3},
}};
constexpr std::array<Pixel, 32> kRadioOuterRing = {{
    {0, 4}, {0, 5}, {0, 6}, {0, 7}, {1, 2}, {1, 3}, {1, 8}, {1, 9}, {2, 1}, {3, 1}, {4, 0}, {5, 0}, {6, 0}, {7, 0},
    {8, 1}, {9, 1}, {2, 10}, {3, 10}, {4, 11}, {5, 11}, {6, 11}, {7, 11}, {8, 10}, {9, 10}, {10, 9}, {10, 8},
    {11, 7}, {11, 6}, {11, 5}, {11, 4}, {10, 3}, {10, 2},
}};

template <std::size_t N>
void PlotPixels(QPainter& p, const std::array<Pixel, N>& pixels, QPoint origin, TColor color) {
    if (color == clNone) return;
    p.setPen(ToQColor(color));
    for (const Pixel& px : pixels) p.drawPoint(origin.x() + px[0], origin.y() + px[1]);
}

}  // namespace

QEvent::Type TControlChangedEvent::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

// ---------------------------------------------------------------------------------------------
// TElCheckItem

TElCheckItem::TElCheckItem(QWidget* parent) : TElButtonControl(parent) {
    // The parent is painted beneath every item, so a transparent or themed item needs no copy of it.
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAttribute(Qt::WA_Hover, true);
    setMouseTracking(true);  // OnMouseMove follows the pointer, not only a held button
    resize(60, 17);
    Watcher();
}

TElCheckItem::~TElCheckItem() = default;

void TElCheckItem::SetTransparent(bool value) {
    TElButtonControl::SetTransparent(value);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

bool TElCheckItem::KeyboardNavigationInProgress() {
    const TabKeyWatcher* w = Watcher();
    return w && w->active;
}

void TElCheckItem::SetAlignment(TLeftRight value) {
    if (value == taCenter) value = taRightJustify;  // the mark is on one side or the other
    if (value == alignment_) return;
    alignment_ = value;
    update();
}

void TElCheckItem::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    if (value) AdjustSize();
}

void TElCheckItem::SetFlat(bool value) {
    if (value == flat_) return;
    flat_ = value;
    if (!useCustomGlyphs_) update();
}

void TElCheckItem::SetFlatAlways(bool value) {
    if (value == flatAlways_) return;
    flatAlways_ = value;
    if (!useCustomGlyphs_) update();
}

void TElCheckItem::SetUseCustomGlyphs(bool value) {
    if (value == useCustomGlyphs_) return;
    useCustomGlyphs_ = value;
    if (autoSize_) AdjustSize();
    update();
}

void TElCheckItem::SetGlyph(const QImage& strip) {
    glyph_ = strip;
    GlyphChanged();
}

void TElCheckItem::GlyphChanged() {
    if (autoSize_) AdjustSize();
    if (useCustomGlyphs_) update();
}

void TElCheckItem::SetIsHTML(bool value) {
    if (value == IsHTML()) return;
    if (value)
        html_ = std::make_unique<TElHTMLRender>();
    else
        html_.reset();
    if (autoSize_) AdjustSize();
    update();
}

void TElCheckItem::SetImages(TImageList* list) {
    LinkImageList(this, images_, useImageList_, list, [this]() {
        if (useImageList_) update();
    });
}

void TElCheckItem::SetUseImageList(bool value) {
    if (value == useImageList_) return;
    if (value && !images_) return;
    useImageList_ = value;
    if (autoSize_) AdjustSize();
    update();
}

void TElCheckItem::SetImageForm(TElImageFormLink* form) { LinkImageForm(this, imageForm_, form); }

void PrepareHTMLDefaults(TElHTMLRender& render, const QFont& f, TColor color, TColor background) {
    TElHTMLData& d = render.Data();
    d.DefaultColor = color;
    d.DefaultBgColor = background;
    d.DefaultFont = f.family().toStdString();
    // The renderer counts in points at 96 pixels an inch.
    const int pixels = f.pixelSize() > 0 ? f.pixelSize() : MulDiv(f.pointSize(), 96, 72);
    d.DefaultSize = MulDiv(pixels, 72, 96);
    d.DefaultStyle = static_cast<std::uint8_t>((f.bold() ? kvt::ui::fsBold : 0) | (f.italic() ? kvt::ui::fsItalic : 0) |
                                               (f.underline() ? kvt::ui::fsUnderline : 0) |
                                               (f.strikeOut() ? kvt::ui::fsStrikeOut : 0));
}

void TElCheckItem::PrepareHTML(TColor defaultColor, TColor defaultBackground) const {
    PrepareHTMLDefaults(*html_, font(), defaultColor, defaultBackground);
}

QSize TElCheckItem::CaptionExtent(bool singleLine) const {
    if (html_) {
        PrepareHTML(FontColor(), Color());
        return MeasureHtmlCaption(*html_, font(), Caption());
    }
    return MeasureText(font(), Caption(), QRect(0, 0, 100000, 100000), singleLine ? DT_SINGLELINE : 0u).size();
}

void TElCheckItem::SetTabStop(bool value) {
    if (focusPolicy() == Qt::NoFocus) return;
    setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

QSize TElCheckItem::GetCheckSize() const {
    if (IsThemed()) {
        QSize size(kSystemMark, kSystemMark);
        if (VisualStyles().GetThemePartSize(ThemeHandle(), nullptr, ThemePart(), 1, nullptr, TS_TRUE, size) == S_OK)
            return size;
    }
    return QSize(kSystemMark, kSystemMark);
}

QSize TElCheckItem::MarkSize() const {
    if (IsThemed()) return GetCheckSize();
    return LayoutMarkSize();
}

QSize TElCheckItem::LayoutMarkSize() const {
    if (useCustomGlyphs_ && !glyph_.isNull()) return QSize(glyph_.width() / 6, glyph_.height());
    if (useImageList_ && images_) return QSize(images_->Width(), images_->Height());
    return GetCheckSize();
}

int TElCheckItem::CalcItemHeight(bool multiLine) const {
    if (!HandleAllocated()) return GetCheckSize().height();
    const int mark = LayoutMarkSize().height() + 4;
    const int h = std::max(mark, CaptionExtent(!multiLine).height() + 2);
    return h + (TextDrawType() != tdtNormal ? 2 : 0);
}

void TElCheckItem::AdjustSize() {
    if (!autoSize_ || !HandleAllocated() || !parentWidget()) return;
    const QSize mark = LayoutMarkSize();
    const QSize text = CaptionExtent(false);
    const int w = mark.width() + 7 + text.width() + 2;
    const int h = std::max(mark.height() + 4, text.height() + 2) + (TextDrawType() != tdtNormal ? 2 : 0);
    resize(w, h);
}

void TElCheckItem::NotifyChanged() {
    // A receiver may close the dialog: ancestors that go meanwhile are skipped.
    QList<QPointer<QWidget>> chain;
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) chain.append(w);
    const QPointer<QWidget> self(this);
    for (const QPointer<QWidget>& w : chain) {
        if (!self) return;
        if (!w) continue;
        TControlChangedEvent e(this);
        QCoreApplication::sendEvent(w, &e);
    }
}

void TElCheckItem::Click() {
    const QPointer<TElCheckItem> self(this);
    NotifyChanged();
    if (self) TElButtonControl::Click();
}

void TElCheckItem::CreateWnd() {
    TElButtonControl::CreateWnd();
    AdjustSize();
}

void TElCheckItem::TextChanged() {
    AdjustSize();
    update();
}

void TElCheckItem::DrawGlyph(QPainter& p, const QRect& dest, const QRect& source) {
    DrawGlyphCell(p, glyph_, dest, source);
}

bool TElCheckItem::RepaintsOnHover() const {
    return MoneyFlat() || (flat_ && !flatAlways_ && !useCustomGlyphs_) || pressed_ || IsThemed();
}

void TElCheckItem::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool themed = IsThemed();
    // Themed and transparent items leave the parent's painting beneath them as it is.
    if (!themed && !Transparent()) {
        if (imageForm_)
            imageForm_->PaintBackground(p, this, rect());
        else
            FillRect(p, rect(), Color());
    }

    const QSize mark = MarkSize();
    const int w = mark.width(), h = mark.height();
    const int ch = height();
    const bool multiLine = Caption().contains(QStringLiteral("\r\n"));
    const int x = alignment_ == taRightJustify ? 0 : width() - w;
    int y = multiLine ? CalcItemHeight(false) / 2 - h / 2 : ch / 2 - h / 2;
    if (themed && alignment_ == taLeftJustify)
        y = multiLine ? CalcItemHeight(false) / 2 - h / 2 + ch % 2 : (ch - h) / 2 + ch % 2;
    const QRect markRect(x, y, w, h);

    int part = ThemePart(), state = 0;
    if (themed) {
        state = ThemeStateBase();
        if (!isEnabled())
            state += 3;
        else if (pressed_)
            state += 2;
        else if (hot_)
            state += 1;
        VisualStyles().DrawThemeBackground(ThemeHandle(), p, part, state, markRect, nullptr);
    } else if (useCustomGlyphs_ && !glyph_.isNull()) {
        const int base = GlyphCellBase();
        if (base >= 0) {
            const int cell = base + ((!isEnabled() || (pressed_ && hot_)) ? 1 : 0);
            DrawGlyph(p, markRect, QRect(cell * w, 0, w, h));
        }
    } else if (useImageList_ && images_) {
        const int base = std::max(0, GlyphCellBase());
        const int index = GlyphCellBase() < 0 ? 0 : base + ((!isEnabled() || (pressed_ && hot_)) ? 1 : 0);
        images_->Draw(p, markRect.left(), markRect.top(), index);
    } else {
        std::uint32_t flags = FrameControlState();
        if (!isEnabled() || (hot_ && pressed_)) flags |= DFCS_INACTIVE;
        DrawFrameControl(p, markRect, DFC_BUTTON, flags);
        const bool busy = hasFocus() || hot_ || pressed_;
        if (MoneyFlat() || (flat_ && (flatAlways_ || !busy))) DrawFlatCheckFrame(p, markRect);
    }

    QRect captionRect = rect();
    if (alignment_ == taRightJustify)
        captionRect.setLeft(w + 5);
    else
        captionRect.setRight(captionRect.right() - (w + 5));
    PaintCaption(p, captionRect, part, state);
    PaintFocusRect(p, captionRect);
}

void TElCheckItem::PaintCaption(QPainter& p, const QRect& captionRect, int part, int state) {
    if (Caption().isEmpty()) return;
    p.setFont(font());
    const auto placed = [&](int textHeight) {
        QRect r = captionRect;
        r.setHeight(textHeight);
        r.moveTop(captionRect.top() + (height() - textHeight) / 2);
        return r;
    };
    if (IsThemed()) {
        if (html_) {
            PrepareHTML(VisualStyles().GetThemeSysColor(ThemeHandle(), 18), clNone);
            const QRect r = placed(MeasureHtmlCaption(*html_, font(), Caption()).height());
            DrawHtmlCaption(*html_, p, Caption(), r);
            return;
        }
        QRect extent;
        const QRect bounds = rect();
        VisualStyles().GetThemeTextExtent(ThemeHandle(), p, part, state, Caption(), 0, &bounds, extent);
        VisualStyles().DrawThemeText(ThemeHandle(), p, part, state, Caption(), 0, isEnabled() ? 0 : kDttGrayed,
                                     placed(extent.height()));
        return;
    }
    const QRect r = placed(CaptionExtent(false).height());
    if (html_) {
        DrawHtmlCaption(*html_, p, Caption(), r);
        return;
    }
    const std::uint32_t flags = DT_VCENTER | (DrawsAccelerators() ? 0u : DT_HIDEPREFIX);
    if (!isEnabled()) {
        QRect lifted = r.translated(1, 1);
        p.setPen(ToQColor(clBtnHighlight));
        DrawText(p, Caption(), lifted, flags);
        p.setPen(ToQColor(clBtnShadow));
        QRect at = r;
        DrawText(p, Caption(), at, flags);
    } else {
        p.setPen(ToQColor(FontColor()));
        DrawStyledText(p, r, Caption(), TextDrawType(), flags);
    }
}

void TElCheckItem::PaintFocusRect(QPainter& p, const QRect& captionRect) {
    if (!hasFocus() || !isEnabled() || Caption().isEmpty() || !DrawsFocusRect()) return;
    const QSize extent = CaptionExtent(false);
    QRect r(captionRect.left(), (height() - extent.height()) / 2, extent.width(), extent.height());
    r.adjust(-1, -1, 1, 1);
    if (alignment_ == taLeftJustify) r.setLeft(r.left() + 1);
    if (TextDrawType() == tdtShadowed)
        r.adjust(0, 1, 1, 1);
    else if (TextDrawType() == tdtRaised)
        r.translate(0, -1);
    DrawFocusRect(p, r);
}

void TElCheckItem::mousePressEvent(QMouseEvent* event) {
    if (isEnabled() && focusPolicy() != Qt::NoFocus) setFocus(Qt::MouseFocusReason);
    pressed_ = true;
    update();
    const QPoint pos = event->position().toPoint();
    emit OnMouseDown(event->button(), event->modifiers(), pos.x(), pos.y());
}

void TElCheckItem::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    emit OnMouseMove(event->modifiers(), pos.x(), pos.y());
}

void TElCheckItem::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click is two clicks.
    mousePressEvent(event);
}

void TElCheckItem::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = pressed_;
    pressed_ = false;
    update();
    const QPoint pos = event->position().toPoint();
    const bool inside = rect().contains(pos);
    if (inside) PlayCheckSound();
    const QPointer<TElCheckItem> self(this);
    if (wasPressed && inside && event->button() == Qt::LeftButton) Click();
    // The click's handler may have closed the dialog and the item with it.
    if (self) emit OnMouseUp(event->button(), event->modifiers(), pos.x(), pos.y());
}

bool TElCheckItem::KeyDown(int key, Qt::KeyboardModifiers shift) {
    if (key != Qt::Key_Space || shift != Qt::NoModifier) return false;
    // Every key-down clicks, the keyboard's repeats of a held Space included.
    SpacePressed();
    return true;
}

void TElCheckItem::keyPressEvent(QKeyEvent* event) {
    if (RaiseKeyPressEvents(this, event, [&](int key) { return KeyDown(key, event->modifiers()); }))
        TElButtonControl::keyPressEvent(event);
}

void TElCheckItem::keyReleaseEvent(QKeyEvent* event) {
    if (RaiseKeyUp(this, event)) TElButtonControl::keyReleaseEvent(event);
}

bool TElCheckItem::event(QEvent* e) {
    // An item that handles the dialog keys itself keeps them: Tab, the arrows, Enter and Escape
    // neither move the focus nor reach the dialog.
    if (handleDialogKeys_ && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        switch (k->key()) {
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_Left:
            case Qt::Key_Right:
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Escape:
                keyPressEvent(k);
                k->accept();
                return true;
            default:
                break;
        }
    }
    return TElButtonControl::event(e);
}

void TElCheckItem::focusInEvent(QFocusEvent* event) {
    TElButtonControl::focusInEvent(event);
    const QPointer<TElCheckItem> self(this);
    emit OnEnter();
    if (self) update();
}

void TElCheckItem::focusOutEvent(QFocusEvent* event) {
    TElButtonControl::focusOutEvent(event);
    // A dialog opened from a mouse handler takes the release with it: the item must not stay down.
    pressed_ = false;
    const QPointer<TElCheckItem> self(this);
    emit OnExit();
    if (self) update();
}

void TElCheckItem::enterEvent(QEnterEvent* event) {
    TElButtonControl::enterEvent(event);
    hot_ = true;
    if (RepaintsOnHover()) update();
}

void TElCheckItem::leaveEvent(QEvent* event) {
    TElButtonControl::leaveEvent(event);
    hot_ = false;
    if (RepaintsOnHover()) update();
}

void TElCheckItem::changeEvent(QEvent* event) {
    TElButtonControl::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) update();
}

// ---------------------------------------------------------------------------------------------
// TElCheckBox

TElCheckBox::TElCheckBox(QWidget* parent) : TElCheckItem(parent) {}

void TElCheckBox::SetState(TCheckBoxState value) {
    if (value == state_) return;
    if (value == cbGrayed && !allowGrayed_) return;
    state_ = value;
    update();
}

void TElCheckBox::SetAllowGrayed(bool value) {
    if (value == allowGrayed_) return;
    allowGrayed_ = value;
    if (!value && state_ == cbGrayed) SetState(cbUnchecked);
}

void TElCheckBox::SpacePressed() {
    PlayCheckSound();
    Click();
}

void TElCheckBox::Toggle() {
    switch (state_) {
        case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
        case cbChecked: SetState(cbUnchecked); break;
        case cbGrayed: SetState(cbChecked); break;
    }
}

void TElCheckBox::Click() {
    Toggle();
    TElCheckItem::Click();
}

int TElCheckBox::ThemeStateBase() const {
    switch (state_) {
        case cbChecked: return 5;
        case cbGrayed: return 9;
        default: return 1;
    }
}

int TElCheckBox::GlyphCellBase() const { return state_ == cbChecked ? 2 : (state_ == cbGrayed ? 4 : 0); }

std::uint32_t TElCheckBox::FrameControlState() const {
    switch (state_) {
        case cbChecked: return DFCS_BUTTONCHECK | DFCS_CHECKED;
        case cbGrayed: return DFCS_CHECKED | DFCS_BUTTON3STATE;
        default: return DFCS_BUTTONCHECK;
    }
}

void TElCheckBox::DrawFlatCheckFrame(QPainter& p, const QRect& rect) {
    const TColor inner = (isEnabled() && !Pressed()) ? clWindow : clBtnFace;
    if (MoneyFlat()) {
        const TColor outer = MoneyFlatColor(Pressed(), hasFocus() || Hot());
        DrawButtonFrame(p, rect, outer, fbtColorLineBorder, kAllBorderSides, inner);
    } else {
        DrawFlatFrameAll(p, rect, inner, false);
    }
}

// ---------------------------------------------------------------------------------------------
// TElRadioButton

TElRadioButton::TElRadioButton(QWidget* parent) : TElCheckItem(parent) {}

void TElRadioButton::SetChecked(bool value) { ApplyChecked(value, true); }

void TElRadioButton::ApplyChecked(bool value, bool raiseClick) {
    if (value == checked_ || !CanModifyCheck()) return;
    checked_ = value;
    SetTabStop(value);
    const QPointer<TElRadioButton> self(this);
    if (value && parentWidget()) {
        const QList<TElRadioButton*> siblings =
            parentWidget()->findChildren<TElRadioButton*>(Qt::FindDirectChildrenOnly);
        for (TElRadioButton* other : siblings)
            if (other != this) other->SetChecked(false);
        NotifyChanged();
        if (!self) return;
    }
    update();
    if (value && raiseClick) emit OnClick();
}

void TElRadioButton::Click() {
    if (!checked_) {
        const QPointer<TElRadioButton> self(this);
        ApplyChecked(true, false);
        if (!self) return;
    } else {
        update();
    }
    TElCheckItem::Click();
}

std::uint32_t TElRadioButton::FrameControlState() const {
    return DFCS_BUTTONRADIO | (checked_ ? DFCS_CHECKED : 0u);
}

void TElRadioButton::DrawFlatCheckFrame(QPainter& p, const QRect& rect) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    // One pixel in from the mark's left, level with its top: over the rings of the system mark.
    const QPoint origin(rect.left() + 1, rect.top());
    PlotPixels(p, kRadioInnerRing, origin, (isEnabled() && !Pressed()) ? clWindow : clBtnFace);
    if (MoneyFlat()) {
        const TColor outer = MoneyFlatColor(Pressed(), hasFocus() || Hot());
        PlotPixels(p, kRadioOuterRing, origin, outer);
    }
    p.restore();
}

void TElRadioButton::focusInEvent(QFocusEvent* event) {
    // Only the player's Tab checks a button on arrival; a dialog's first focus must not pick an order.
    if (!checked_ && KeyboardNavigationInProgress()) {
        TElCheckItem::focusInEvent(event);
        ApplyChecked(true, true);
        return;
    }
    TElCheckItem::focusInEvent(event);
}

bool TElRadioButton::MoveToSibling(int step) {
    if (!parentWidget()) return false;
    QList<TElRadioButton*> ring;
    for (TElRadioButton* b : parentWidget()->findChildren<TElRadioButton*>(Qt::FindDirectChildrenOnly))
        if (b == this || (b->isVisible() && b->isEnabled())) ring.append(b);
    if (ring.size() < 2) return false;
    const int here = static_cast<int>(ring.indexOf(this));
    const int n = static_cast<int>(ring.size());
    TElRadioButton* target = ring[((here + step) % n + n) % n];
    target->setFocus(Qt::TabFocusReason);
    if (!target->checked_) target->ApplyChecked(true, true);
    return true;
}

bool TElRadioButton::KeyDown(int key, Qt::KeyboardModifiers shift) {
    if (!HandleDialogKeys() && shift == Qt::NoModifier) {
        switch (key) {
            case Qt::Key_Up:
            case Qt::Key_Left:
                if (MoveToSibling(-1)) return true;
                break;
            case Qt::Key_Down:
            case Qt::Key_Right:
                if (MoveToSibling(1)) return true;
                break;
            default:
                break;
        }
    }
    return TElCheckItem::KeyDown(key, shift);
}

}  // namespace kvt::gui
