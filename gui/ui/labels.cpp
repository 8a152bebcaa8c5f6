// Labels: text styles, shadow and extrusion effects, and sizing to the text.
#include "gui/ui/labels.h"

#include <QEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>
#include <cmath>

#include "gui/platform/edges.h"
#include "gui/platform/text_draw.h"

namespace kvt::gui {
namespace {

void Pass(QPainter& p, const QString& text, const QRect& rect, std::uint32_t flags, TColor color, int dx, int dy) {
    p.setPen(ToQColor(color));
    QRect r = rect.translated(dx, dy);
    DrawText(p, text, r, flags);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TElCustomLabel

TElCustomLabel::TElCustomLabel(QWidget* parent) : TDragEvents(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setMouseTracking(true);  // OnMouseMove with no button held, as over any control
    SetFontColor(clWindowText);
    resize(65, 17);
}

void TElCustomLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) clicked_ = true;
    const QPoint at = event->position().toPoint();
    emit OnMouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void TElCustomLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPointer<TElCustomLabel> self(this);
    if (event->button() == Qt::LeftButton) {
        clicked_ = false;
        emit OnDblClick();
        if (!self) return;
    }
    const QPoint at = event->position().toPoint();
    emit OnMouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void TElCustomLabel::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit OnMouseMove(event->modifiers(), at.x(), at.y());
}

void TElCustomLabel::mouseReleaseEvent(QMouseEvent* event) {
    const QPointer<TElCustomLabel> self(this);
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        const bool click = clicked_ && rect().contains(at);
        clicked_ = false;
        if (click) emit OnClick();
        if (!self) return;  // the handler may have closed the dialog
    }
    emit OnMouseUp(event->button(), event->modifiers(), at.x(), at.y());
}

void TElCustomLabel::SetCaption(const QString& text) {
    if (text == caption_) return;
    caption_ = text;
    AdjustBounds();
    update();
}

void TElCustomLabel::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    update();
}

void TElCustomLabel::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    AdjustBounds();
}

void TElCustomLabel::SetLayout(TTextLayout value) {
    if (value == layout_) return;
    layout_ = value;
    update();
}

void TElCustomLabel::SetWordWrap(bool value) {
    if (value == wordWrap_) return;
    wordWrap_ = value;
    AdjustBounds();
    update();
}

void TElCustomLabel::SetShowAccelChar(bool value) {
    if (value == showAccelChar_) return;
    showAccelChar_ = value;
    AdjustBounds();
    update();
}

void TElCustomLabel::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    update();
}

void TElCustomLabel::SetParentColor(bool value) {
    if (value == parentColor_) return;
    parentColor_ = value;
    update();
}

void TElCustomLabel::ColorChanged() {
    parentColor_ = false;
    update();
}

TColor TElCustomLabel::EffectiveColor() const {
    if (!parentColor_ || !parentWidget()) return Color();
    if (const auto* owner = qobject_cast<const TElWidget*>(parentWidget())) {
        if (const auto* label = qobject_cast<const TElCustomLabel*>(owner)) return label->EffectiveColor();
        return owner->Color();
    }
    const QWidget* w = parentWidget();
    return FromQColor(w->palette().color(w->backgroundRole()));
}

void TElCustomLabel::changeEvent(QEvent* event) {
    TElWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) AdjustBounds();
    if (event->type() == QEvent::EnabledChange) update();
}

std::uint32_t TElCustomLabel::TextFlags() const {
    std::uint32_t flags = DT_EXPANDTABS;
    if (alignment_ == taRightJustify)
        flags |= DT_RIGHT;
    else if (alignment_ == taCenter)
        flags |= DT_CENTER;
    if (wordWrap_) flags |= DT_WORDBREAK;
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    return flags;
}

void TElCustomLabel::DoDrawText(QPainter& p, QRect& rect, std::uint32_t flags, bool calc) {
    QString text = caption_;
    if (calc) {
        if (text.isEmpty() || (showAccelChar_ && text == QStringLiteral("&"))) text = QStringLiteral(" ");
        rect = MeasureText(font(), text, rect, flags);
        return;
    }
    if (!isEnabled()) {
        Pass(p, text, rect, flags, clBtnHighlight, 1, 1);
        Pass(p, text, rect, flags, clBtnShadow, 0, 0);
    } else {
        Pass(p, text, rect, flags, FontColor(), 0, 0);
    }
}

void TElCustomLabel::AdjustBounds() {
    if (!autoSize_) return;
    QImage scratch(1, 1, QImage::Format_ARGB32);
    QPainter p(&scratch);
    p.setFont(font());
    QRect r(0, 0, wordWrap_ ? width() : 100000, 0);
    DoDrawText(p, r, TextFlags(), true);
    const int right = x() + width();
    const int newLeft = alignment_ == taRightJustify ? right - r.width() : x();
    setGeometry(newLeft, y(), r.width(), r.height());
}

void TElCustomLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // What the parent painted stays beneath a transparent label.
    if (!transparent_) FillRect(p, rect(), EffectiveColor());
    p.setFont(font());
    const std::uint32_t flags = TextFlags();
    // The text keeps its plain place: a style or effect reaching left or up is drawn beyond the
    // label's edge, while the size taken for it lies right and below.
    QRect r = rect();
    if (layout_ != tlTop) {
        QRect measured = r;
        DoDrawText(p, measured, flags, true);
        const int bottom = measured.top() + measured.height();
        r.translate(0, layout_ == tlCenter ? (height() - bottom) / 2 : height() - bottom);
    }
    DoDrawText(p, r, flags, false);
}

// ---------------------------------------------------------------------------------------------
// TElLabel

TElLabel::TElLabel(QWidget* parent) : TElCustomLabel(parent) {}

#define KVT_LABEL_SETTER(Name, field, shows)   \
    void TElLabel::Set##Name(TColor value) {    \
        if (value == field) return;             \
        field = value;                          \
        if (shows) update();                    \
    }

KVT_LABEL_SETTER(DarkColor, darkColor_, style_ == ltsEmbossed || style_ == ltsRecessed)
KVT_LABEL_SETTER(LightColor, lightColor_, style_ == ltsEmbossed || style_ == ltsRecessed)
KVT_LABEL_SETTER(DisabledDarkColor, disabledDarkColor_, !isEnabled())
KVT_LABEL_SETTER(DisabledLightColor, disabledLightColor_, !isEnabled())
KVT_LABEL_SETTER(OutlineColor, outlineColor_, style_ == ltsOutlined)
KVT_LABEL_SETTER(ShadowColor, shadowColor_, effect_ == lesShadow)
KVT_LABEL_SETTER(FarColor, farColor_, effect_ == lesExtrude)
KVT_LABEL_SETTER(NearColor, nearColor_, effect_ == lesExtrude)
#undef KVT_LABEL_SETTER

void TElLabel::SetStriated(bool value) {
    if (value == striated_) return;
    striated_ = value;
    if (effect_ == lesExtrude) update();
}

void TElLabel::SetXOffset(int value) {
    if (value == xOffset_) return;
    xOffset_ = value;
    if (effect_ == lesShadow) update();
}

void TElLabel::SetYOffset(int value) {
    if (value == yOffset_) return;
    yOffset_ = value;
    if (effect_ == lesShadow) update();
}

void TElLabel::SetDepth(int value) {
    if (value < 0) return;
    value = std::min(value, kMaxDepth);
    if (value == depth_) return;
    depth_ = value;
    if (effect_ == lesExtrude) {
        AdjustBounds();
        update();
    }
}

void TElLabel::SetExtrudePosition(TElLabelExtrudePosition value) {
    if (value == extrudePosition_) return;
    extrudePosition_ = value;
    if (effect_ == lesExtrude) {
        AdjustBounds();
        update();
    }
}

void TElLabel::SetEffect(TElLabelEffectStyle value) {
    if (value == effect_) return;
    effect_ = value;
    AdjustBounds();
    update();
}

void TElLabel::SetStyle(TElLabelTextStyle value) {
    if (value == style_) return;
    style_ = value;
    AdjustBounds();
    update();
}

QPoint TElLabel::ExtrudeDirection(TElLabelExtrudePosition position) {
    switch (position) {
        case lepLeft: return {-1, 0};
        case lepLeftTop: return {-1, -1};
        case lepTop: return {0, -1};
        case lepRightTop: return {1, -1};
        case lepRight: return {1, 0};
        case lepRightBottom: return {1, 1};
        case lepBottom: return {0, 1};
        case lepLeftBottom: return {-1, 1};
    }
    return {1, 1};
}

TColor TElLabel::ExtrudeColor(TColor nearColor, TColor farColor, int depth, int i, bool striated) {
    const TColor n = ColorToRGB(nearColor), f = ColorToRGB(farColor);
    const auto channel = [&](int nc, int fc) {
        if (striated) {
            const int v = ((fc - nc) / depth + nc) * i / (i % 2 == 0 ? 4 : 1);
            return v & 0xFF;
        }
        // Halves go to the even neighbour.
        const double v = nc + (fc - nc) / (static_cast<double>(depth) / i);
        return std::clamp(static_cast<int>(std::nearbyint(v)), 0, 255);
    };
    return RGBColor(channel(RedOf(n), RedOf(f)), channel(GreenOf(n), GreenOf(f)), channel(BlueOf(n), BlueOf(f)));
}

void TElLabel::DrawEffect(QPainter& p, const QString& text, const QRect& rect, std::uint32_t flags) {
    if (effect_ == lesShadow) {
        Pass(p, text, rect, flags, shadowColor_, xOffset_, yOffset_);
    } else if (effect_ == lesExtrude) {
        const QPoint d = ExtrudeDirection(extrudePosition_);
        for (int i = depth_; i >= 1; --i)
            Pass(p, text, rect, flags, ExtrudeColor(nearColor_, farColor_, depth_, i, striated_), d.x() * i, d.y() * i);
    }
}

void TElLabel::DrawStyled(QPainter& p, const QString& text, const QRect& rect, std::uint32_t flags) {
    switch (style_) {
        case ltsEmbossed:
            Pass(p, text, rect, flags, lightColor_, -1, -1);
            Pass(p, text, rect, flags, darkColor_, 1, 1);
            break;
        case ltsRecessed:
            Pass(p, text, rect, flags, darkColor_, -1, -1);
            Pass(p, text, rect, flags, lightColor_, 1, 1);
            break;
        case ltsOutlined:
            for (const QPoint d : {QPoint(-1, -1), QPoint(-1, 1), QPoint(1, -1), QPoint(1, 1)})
                Pass(p, text, rect, flags, outlineColor_, d.x(), d.y());
            break;
        default:
            break;
    }
    Pass(p, text, rect, flags, FontColor(), 0, 0);
}

void TElLabel::DoDrawText(QPainter& p, QRect& rect, std::uint32_t flags, bool calc) {
    QString text = Caption();
    if (calc) {
        if (text.isEmpty() || (ShowAccelChar() && text == QStringLiteral("&"))) text = QStringLiteral(" ");
        // The effect passes are plain text; only the text's own passes carry the style's pixel.
        const QRect m = MeasureText(font(), text, rect, flags);
        QRect result = m;
        if (isEnabled() && style_ != ltsNormal) result.adjust(-1, -1, 1, 1);
        if (effect_ == lesShadow) result |= m.translated(xOffset_, yOffset_);
        if (effect_ == lesExtrude && depth_ >= 1) {
            const QPoint d = ExtrudeDirection(extrudePosition_);
            result |= m.translated(d.x() * depth_, d.y() * depth_);
        }
        rect = result;
        return;
    }
    DrawEffect(p, text, rect, flags);
    if (!isEnabled()) {
        Pass(p, text, rect, flags, clBtnHighlight, 1, 1);
        Pass(p, text, rect, flags, clBtnShadow, 0, 0);
    } else {
        DrawStyled(p, text, rect, flags);
    }
}

}  // namespace kvt::gui
