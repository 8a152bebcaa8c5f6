// Group boxes: caption band, caption check box, caption and the frame that stops at the caption.
#include "gui/ui/group_box.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>

#include <algorithm>

#include "gui/platform/edges.h"
#include "gui/platform/text_draw.h"
#include "gui/ui/check_items.h"

namespace kvt::gui {
namespace {

constexpr int kCheckPart = 3;
constexpr int kGroupPart = 4;
constexpr int kSystemMark = 13;

}  // namespace

TCustomElGroupBox::TCustomElGroupBox(QWidget* parent) : TCustomElPanel(parent), TMoneyFlatLook(this) {
    // Its only click is the caption check box's.
    SetClickEvents(false);
    SetBevelOuter(bvNone);
    SetTabStop(false);
    AdoptCtl3D();
    UpdateClientArea();
}

TCustomElGroupBox::~TCustomElGroupBox() = default;

void TCustomElGroupBox::SetIsHTML(bool value) {
    if (value == IsHTML()) return;
    if (value)
        html_ = std::make_unique<TElHTMLRender>();
    else
        html_.reset();
    UpdateClientArea();
    update();
}

void TCustomElGroupBox::SetImages(TImageList* list) {
    LinkImageList(this, images_, useImageList_, list, [this]() {
        if (useImageList_ && ShowCheckBox()) update();
    });
}

void TCustomElGroupBox::SetUseImageList(bool value) {
    if (value == useImageList_ || (value && !images_)) return;
    useImageList_ = value;
    if (showCheckBox_) update();
}

QSize TCustomElGroupBox::HTMLCaptionSize() const {
    PrepareHTMLDefaults(*html_, font(), FontColor(), clNone);
    return MeasureHtmlCaption(*html_, font(), Caption());
}

void TCustomElGroupBox::SetCaption(const QString& text) {
    TCustomElPanel::SetCaption(text);
    UpdateClientArea();
}

void TCustomElGroupBox::SetBorderSides(TElBorderSides value) {
    if (value == borderSides_) return;
    borderSides_ = value;
    update();
}

void TCustomElGroupBox::SetShowCheckBox(bool value) {
    if (value == showCheckBox_) return;
    showCheckBox_ = value;
    if (!value) checkRect_ = QRect();
    update();
}

void TCustomElGroupBox::SetCheckBoxChecked(bool value) {
    if (value == checkBoxChecked_) return;
    checkBoxChecked_ = value;
    if (showCheckBox_) update(checkRect_);
}

void TCustomElGroupBox::SetShowFocus(bool value) {
    if (value == showFocus_) return;
    showFocus_ = value;
    update();
}

void TCustomElGroupBox::SetCaptionColor(TColor value) {
    if (value == captionColor_) return;
    captionColor_ = value;
    update();
}

void TCustomElGroupBox::SetFlat(bool value) {
    if (value == flat_) return;
    flat_ = value;
    if (showCheckBox_) update();
}

void TCustomElGroupBox::SetUseCustomGlyphs(bool value) {
    if (value == useCustomGlyphs_) return;
    useCustomGlyphs_ = value;
    if (showCheckBox_) update();
}

void TCustomElGroupBox::SetGlyph(const QImage& strip) {
    glyph_ = strip;
    GlyphChanged();
}

void TCustomElGroupBox::GlyphChanged() {
    if (useCustomGlyphs_) update();
}

void TCustomElGroupBox::SetCtl3D(bool value) {
    parentCtl3D_ = false;
    ApplyCtl3D(value);
}

void TCustomElGroupBox::SetParentCtl3D(bool value) {
    if (value == parentCtl3D_) return;
    parentCtl3D_ = value;
    AdoptCtl3D();
}

void TCustomElGroupBox::AdoptCtl3D() {
    if (!parentCtl3D_) return;
    const QVariant parents = parentWidget() ? parentWidget()->property("Ctl3D") : QVariant();
    ApplyCtl3D(parents.isValid() ? parents.toBool() : true);
}

void TCustomElGroupBox::ApplyCtl3D(bool value) {
    if (value == ctl3D_) return;
    ctl3D_ = value;
    UpdateClientArea();
    update();
    NotifyCtl3DChanged();
}

void TCustomElGroupBox::ColorChanged() {
    look_.ColorSet();
    TCustomElPanel::ColorChanged();
}

void TCustomElGroupBox::FontColorChanged() {
    look_.FontColorSet();
    TCustomElPanel::FontColorChanged();
}

bool TCustomElGroupBox::event(QEvent* event) {
    if (event->type() == QEvent::ParentChange) {
        AdoptCtl3D();
        look_.AdoptColor();
        look_.AdoptFont();
    } else if (event->type() == QEvent::PaletteChange) {
        look_.AdoptColor();
        look_.AdoptFont();
    }
    return TCustomElPanel::event(event);
}

QSize TCustomElGroupBox::CaptionCheckBoxSize() const {
    QSize size(kSystemMark, kSystemMark);
    if (IsThemed() &&
        GetClassThemePartSize(QStringLiteral("BUTTON"), nullptr, kCheckPart, 1, nullptr, TS_TRUE, size) == S_OK)
        return size;
    return QSize(kSystemMark, kSystemMark);
}

QSize TCustomElGroupBox::CheckBoxSize() const {
    if (useCustomGlyphs_ && !glyph_.isNull()) return QSize(glyph_.width() / 6, glyph_.height());
    if (useImageList_ && images_) return QSize(images_->Width(), images_->Height());
    return CaptionCheckBoxSize();
}

int TCustomElGroupBox::LineHeight() const {
    if (html_) return HTMLCaptionSize().height();
    return QFontMetrics(font()).height();
}

int TCustomElGroupBox::CaptionHeight() const {
    int text = 0;
    if (!Caption().isEmpty()) {
        if (html_) {
            text = HTMLCaptionSize().height();
        } else if (IsThemed()) {
            QImage scratch(1, 1, QImage::Format_RGB32);
            QPainter p(&scratch);
            p.setFont(font());
            QRect extent;
            const QRect bounds = rect();
            text = VisualStyles().GetThemeTextExtent(ThemeHandle(), p, kGroupPart, isEnabled() ? 1 : 2, Caption(), 0,
                                                     &bounds, extent) == S_OK
                       ? extent.height()
                       : MeasureText(font(), Caption(), rect(), 0).height();
        } else {
            text = MeasureText(font(), Caption(), rect(), 0).height();
        }
    }
    // The caption check box's own size counts whether it is shown or not, and whatever glyphs
    // it is painted with.
    return std::max(CaptionCheckBoxSize().height(), text);
}

void TCustomElGroupBox::OpenThemeHandle() {
    TCustomElPanel::OpenThemeHandle();
    UpdateClientArea();
}

void TCustomElGroupBox::CloseThemeHandle() {
    TCustomElPanel::CloseThemeHandle();
    UpdateClientArea();
}

QRect TCustomElGroupBox::AdjustClientRect(QRect r) const {
    r = TCustomElPanel::AdjustClientRect(r);
    r.setTop(r.top() + CaptionHeight());
    const int inset = ctl3D_ ? 2 : 1;
    return r.adjusted(inset, inset, -inset, -inset);
}

void TCustomElGroupBox::DrawGlyph(QPainter& p, const QRect& dest, const QRect& source) {
    DrawGlyphCell(p, glyph_, dest, source);
}

void TCustomElGroupBox::PlaceCheckBox(int h) {
    if (!showCheckBox_) {
        checkRect_ = QRect();
        return;
    }
    const QSize size = CheckBoxSize();
    checkRect_ = QRect(8, h / 2 - size.height() / 2, size.width(), size.height());
}

void TCustomElGroupBox::PaintCheckBox(QPainter& p) {
    if (!showCheckBox_) return;
    const QSize size = checkRect_.size();
    const bool pressed = ButtonDown();
    if (IsThemed()) {
        int state = checkBoxChecked_ ? 5 : 1;
        if (!isEnabled())
            state += 3;
        else if (pressed && checkHot_)
            state += 2;
        else if (checkHot_)
            state += 1;
        VisualStyles().DrawThemeBackground(ThemeHandle(), p, kCheckPart, state, checkRect_, nullptr);
        return;
    }
    const int cell = (checkBoxChecked_ ? 2 : 0) + ((!isEnabled() || (pressed && checkHot_)) ? 1 : 0);
    if (useCustomGlyphs_ && !glyph_.isNull()) {
        DrawGlyph(p, checkRect_, QRect(cell * size.width(), 0, size.width(), size.height()));
        return;
    }
    if (useImageList_ && images_) {
        images_->Draw(p, checkRect_.left(), checkRect_.top(), cell);
        return;
    }
    std::uint32_t flags = DFCS_BUTTONCHECK | (checkBoxChecked_ ? DFCS_CHECKED : 0u);
    if (!isEnabled() || (checkHot_ && pressed)) flags |= DFCS_INACTIVE;
    DrawFrameControl(p, checkRect_, DFC_BUTTON, flags);
    const bool busy = hasFocus() || checkHot_;
    if (MoneyFlat() || (isEnabled() && (flatAlways_ || (flat_ && !busy)))) {
        const TColor inner = (isEnabled() && !pressed) ? clWindow : clBtnFace;
        if (MoneyFlat()) {
            const TColor outer = MoneyFlatColor(pressed && checkHot_, hasFocus() || checkHot_);
            DrawButtonFrame(p, checkRect_, outer, fbtColorLineBorder, kAllBorderSides, inner);
        } else {
            DrawFlatFrameAll(p, checkRect_, inner, false);
        }
    }
}

QRect TCustomElGroupBox::CaptionTextRect(QPainter& p, int x, int h) {
    const QString& caption = Caption();
    if (html_) return QRect(QPoint(x, 0), QSize(MeasureHtmlCaption(*html_, font(), caption).width(), h));
    if (IsThemed()) {
        QRect text;
        const QRect bounds = rect();
        VisualStyles().GetThemeTextExtent(ThemeHandle(), p, kGroupPart, isEnabled() ? 1 : 2, caption, 0, &bounds, text);
        return QRect(x, 0, text.width(), text.height());
    }
    QRect text = MeasureText(font(), caption, QRect(x, 0, 100000, 100000), 0);
    text.moveTo(x, 0);
    return text;
}

void TCustomElGroupBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool themed = IsThemed();
    const int h = LineHeight();
    const QRect frame = QRect(0, h / 2, width(), height() - h / 2);

    if (themed) {
        const QRect all = rect();
        VisualStyles().DrawThemeParentBackground(this, p, &all);
        VisualStyles().DrawThemeBackground(ThemeHandle(), p, kGroupPart, 0, frame, nullptr);
    } else {
        if (ImageForm())
            ImageForm()->PaintBackground(p, this, rect());
        else if (!Transparent())
            FillRect(p, rect(), Color());
        // The band goes down before the caption check box: filled after it, in the order the
        // steps of painting were first laid down, it would paint over the check box and hide it.
        if (captionColor_ != clNone) FillRect(p, QRect(0, 0, width(), h), captionColor_);
    }

    // The caption area (check box and text) is laid out first: the frame stays out of it.
    PlaceCheckBox(h);
    const QString& caption = Caption();
    const int state = isEnabled() ? 1 : 2;
    p.setFont(font());
    QRect text;
    QRect captionArea;
    const bool focusShown = showFocus_ && hasFocus();
    if (!caption.isEmpty()) {
        if (html_) {
            TColor color = FontColor();
            if (themed) VisualStyles().GetThemeColor(ThemeHandle(), kGroupPart, state, 3803, color);
            PrepareHTMLDefaults(*html_, font(), color, clNone);
        }
        text = CaptionTextRect(p, showCheckBox_ ? checkRect_.left() + checkRect_.width() + 5 : 8, h);
        captionArea = text.adjusted(focusShown ? -2 : -1, 0, focusShown ? 2 : 1, 0);
        if (showCheckBox_) captionArea.setLeft(checkRect_.left());
    } else if (showCheckBox_) {
        captionArea = checkRect_;
    }
    // Themed, the state-0 frame already lies under the caption: the parent shows there instead.
    if (themed && !captionArea.isEmpty()) VisualStyles().DrawThemeParentBackground(this, p, &captionArea);

    PaintCheckBox(p);
    if (!caption.isEmpty()) {
        if (html_) {
            DrawHtmlCaption(*html_, p, caption, text);
        } else if (themed) {
            VisualStyles().DrawThemeText(ThemeHandle(), p, kGroupPart, state, caption, 0, 0, text);
        } else {
            p.setPen(ToQColor(FontColor()));
            QRect drawn = text;
            DrawText(p, caption, drawn, DT_NOCLIP);
        }
        if (focusShown) DrawFocusRect(p, text.adjusted(-2, 0, 2, 0));
    }

    QRegion clip(rect());
    if (!captionArea.isEmpty()) clip -= QRegion(captionArea);
    p.setClipRegion(clip);

    if (themed) {
        VisualStyles().DrawThemeBackground(ThemeHandle(), p, kGroupPart, state, frame, nullptr);
    } else if (ctl3D_ && !MoneyFlat()) {
        DrawSideLines(p, frame.adjusted(1, 1, 0, 0), clBtnHighlight, borderSides_, clBtnHighlight);
        DrawSideLines(p, frame.adjusted(0, 0, -1, -1), clBtnShadow, borderSides_, clBtnShadow);
    } else {
        const TColor line = MoneyFlat() ? MoneyFlatInactiveColor() : clWindowFrame;
        DrawSideLines(p, frame, line, borderSides_, line);
    }
}

void TCustomElGroupBox::mousePressEvent(QMouseEvent* event) {
    if (isEnabled() && focusPolicy() != Qt::NoFocus) setFocus(Qt::MouseFocusReason);
    if (checkHot_) update(checkRect_);
    TCustomElPanel::mousePressEvent(event);
}

void TCustomElGroupBox::mouseMoveEvent(QMouseEvent* event) {
    const bool hot = showCheckBox_ && checkRect_.contains(event->position().toPoint());
    if (hot != checkHot_) {
        checkHot_ = hot;
        update();
    }
    TCustomElPanel::mouseMoveEvent(event);
}

void TCustomElGroupBox::MouseReleased(QMouseEvent* event) {
    const QPointer<TCustomElGroupBox> self(this);
    if (showCheckBox_ && checkRect_.contains(event->position().toPoint())) CheckBoxClicked();
    if (self && checkHot_) update(checkRect_);
}

void TCustomElGroupBox::leaveEvent(QEvent* event) {
    TCustomElPanel::leaveEvent(event);
    if (showCheckBox_ && checkHot_) {
        checkHot_ = false;
        update(checkRect_);
    }
}

void TCustomElGroupBox::CheckBoxClicked() {
    PlayCheckSound();
    SetCheckBoxChecked(!checkBoxChecked_);
    emit OnClick();
}

bool TCustomElGroupBox::KeyDown(int key, Qt::KeyboardModifiers shift) {
    if (!showCheckBox_ || key != Qt::Key_Space || shift != Qt::NoModifier) return false;
    // Every key-down toggles, the keyboard's repeats of a held Space included.
    CheckBoxClicked();
    return true;
}

void TCustomElGroupBox::focusInEvent(QFocusEvent* event) {
    TCustomElPanel::focusInEvent(event);
    if (showFocus_ || showCheckBox_) update();
}

void TCustomElGroupBox::focusOutEvent(QFocusEvent* event) {
    TCustomElPanel::focusOutEvent(event);
    if (showFocus_ || showCheckBox_) update();
}

void TCustomElGroupBox::changeEvent(QEvent* event) {
    TCustomElPanel::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) update();
    if (event->type() == QEvent::FontChange) {
        look_.FontChanged();
        UpdateClientArea();
    }
}

}  // namespace kvt::gui
