// The background painter and the image form.
#include "gui/ui/image_form.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <functional>

#include "gui/ui/library_tools.h"

namespace kvt::gui {

namespace {

int PositiveMod(int a, int b) {
    const int m = a % b;
    return m < 0 ? m + b : m;
}

TColor FormColor(const QWidget* form) { return FromQColor(form->palette().color(QPalette::Window)); }

void UpdateWithChildren(QWidget* w) {
    w->update();
    for (QWidget* child : w->findChildren<QWidget*>()) child->update();
}

}  // namespace

void ExtDrawBkgnd(QPainter& p, const QRect& rect, TElBkGndType type, const QImage& bitmap, TColor color,
                  QPoint origin, const QRect& area) {
    ExtDrawBkgnd2(p, rect, type, bitmap, color, origin, area, false, clNone, false);
}

void ExtDrawBkgnd2(QPainter& p, const QRect& rect, TElBkGndType type, const QImage& bitmap, TColor color,
                   QPoint origin, const QRect& area, bool hatch, TColor hatchColor, bool invert) {
    if (rect.isEmpty()) return;
    // Lays one copied part of the bitmap down at dest; the hatch and invert flags act on these
    // copies only, never on the colour fills.
    const auto copy = [&](const QRect& dest, const std::function<void(QPainter&)>& draw) {
        if (dest.isEmpty()) return;
        if (!hatch && !invert) {
            draw(p);
            return;
        }
        QImage work(dest.size(), QImage::Format_RGB32);
        {
            QPainter wp(&work);
            wp.translate(-dest.topLeft());
            draw(wp);
        }
        if (hatch) {
            const QRgb h = ToQColor(hatchColor).rgb();
            for (int y = 0; y < work.height(); ++y)
                for (int x = 0; x < work.width(); ++x)
                    if (((dest.left() + x + dest.top() + y) & 1) != 0) work.setPixel(x, y, h);
        }
        p.save();
        if (invert) p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.drawImage(dest.topLeft(), work);
        p.restore();
    };
    const QColor fill = ToQColor(color);
    if (type == bgtColorFill) {
        p.fillRect(rect, fill);
        return;
    }
    const QRect r = rect.translated(origin);  // the part of the area this rectangle shows
    if (!area.contains(r)) p.fillRect(rect, fill);
    if (bitmap.isNull()) return;
    switch (type) {
    case bgtTileBitmap:
        // Tiles start at (0, 0) of the area's coordinates, so neighbours continue each other.
        copy(rect, [&](QPainter& to) {
            to.drawTiledPixmap(rect, QPixmap::fromImage(bitmap),
                               QPoint(PositiveMod(r.left(), bitmap.width()), PositiveMod(r.top(), bitmap.height())));
        });
        break;
    case bgtStretchBitmap: {
        if (area.isEmpty()) break;
        const double sx = double(bitmap.width()) / area.width(), sy = double(bitmap.height()) / area.height();
        const QRectF source((r.left() - area.left()) * sx, (r.top() - area.top()) * sy, r.width() * sx,
                            r.height() * sy);
        copy(rect, [&](QPainter& to) { to.drawImage(QRectF(rect), bitmap, source); });
        break;
    }
    case bgtCenterBitmap:
    case bgtTopLeftBitmap: {
        p.fillRect(rect, fill);
        QRect place = type == bgtCenterBitmap ? CenterRect(bitmap.width(), bitmap.height(), area.width(), area.height())
                                              : QRect(0, 0, bitmap.width(), bitmap.height());
        place.translate(area.topLeft());
        const QRect shown = place.intersected(r);
        if (!shown.isEmpty())
            copy(shown.translated(-origin),
                 [&](QPainter& to) { to.drawImage(shown.translated(-origin), bitmap, shown.translated(-place.topLeft())); });
        break;
    }
    default: break;  // gradients are their callers' business
    }
}

// ---------------------------------------------------------------------------------------------

TImage::TImage(QWidget* parent) : QWidget(parent) {}

void TImage::SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
    emit PictureChanged();
}

void TImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!picture_.isNull()) p.drawImage(0, 0, picture_);
}

// ---------------------------------------------------------------------------------------------

TCustomElImageForm::TCustomElImageForm(QObject* owner) : TElImageFormLink(owner) { InstallHook(); }

TCustomElImageForm::~TCustomElImageForm() {
    RemoveRegion();
    delete hook_;
    hook_ = nullptr;
}

QWidget* TCustomElImageForm::GetRealControl() const {
    return control_ ? control_.data() : qobject_cast<QWidget*>(parent());
}

void TCustomElImageForm::InstallHook() {
    if (!hook_) {
        hook_ = new TElHook(this);
        hook_->OnBeforeProcess = [this](QObject*, QEvent* e, bool& handled) { BeforeFormEvent(e, handled); };
        hook_->OnAfterProcess = [this](QObject*, QEvent* e, bool& handled) { AfterFormEvent(e, handled); };
    }
    hook_->SetControl(GetRealControl());
    hook_->SetActive(true);
}

void TCustomElImageForm::SetControl(QWidget* form) {
    if (form == control_) return;
    hook_->SetActive(false);
    RemoveRegion();
    control_ = form;
    BuildRegion();
    InstallHook();
}

void TCustomElImageForm::SetTransparentColor(TColor color) {
    if (color == transparentColor_) return;
    transparentColor_ = color;
    NotifyLinks();
    RemoveRegion();
    BuildRegion();
}

void TCustomElImageForm::PictureChanged() {
    const QImage picture = formImage_ ? formImage_->Picture() : QImage();
    TColor key = clNone;
    if (!picture.isNull()) {
        const QRgb corner = picture.pixel(0, picture.height() - 1);
        key = RGBColor(qRed(corner), qGreen(corner), qBlue(corner));
    }
    if (key != transparentColor_) {
        transparentColor_ = key;
        NotifyLinks();
    }
    RemoveRegion();
    BuildRegion();
}

void TCustomElImageForm::BuildRegion() {
    QWidget* form = GetRealControl();
    if (!changeFormRegion_ || !form || !formImage_ || formImage_->Picture().isNull()) return;
    const QImage picture = formImage_->Picture().convertToFormat(QImage::Format_RGB32);
    // Every pixel that is not the transparent colour belongs to the window.
    const QImage mask = picture.createMaskFromColor(ToQColor(transparentColor_).rgb(), Qt::MaskInColor);
    form->setMask(QRegion(QBitmap::fromImage(mask)));
    regionSet_ = true;
    form->update();
}

void TCustomElImageForm::RemoveRegion() {
    if (!regionSet_) return;
    regionSet_ = false;
    if (QWidget* form = GetRealControl()) form->clearMask();
}

void TCustomElImageForm::RepaintForm() {
    if (QWidget* form = GetRealControl()) UpdateWithChildren(form);
}

void TCustomElImageForm::PaintBackground(QPainter& painter, QWidget* control, const QRect& rect) {
    QWidget* form = GetRealControl();
    if (!form || !control) return;
    const QPoint at = control == form               ? QPoint(0, 0)
                      : form->isAncestorOf(control) ? control->mapTo(form, QPoint(0, 0))
                                                    : form->mapFromGlobal(control->mapToGlobal(QPoint(0, 0)));
    const QRect area = form->rect();
    switch (backgroundType_) {
    case bgtColorFill: painter.fillRect(rect, ToQColor(FormColor(form))); break;
    case bgtHorzGradient:
    case bgtVertGradient:
        GradientFillRectClipped(painter, rect, area, backgroundType_ == bgtVertGradient, gradientSteps_,
                                gradientStartColor_, gradientEndColor_, at);
        break;
    default: ExtDrawBkgnd(painter, rect, backgroundType_, background_, FormColor(form), at, area); break;
    }
}

void TCustomElImageForm::Loaded() { InstallHook(); }

void TCustomElImageForm::WatchCaptionControl(QWidget* control) {
    if (control == captionControl_) return;
    if (captionControl_) captionControl_->removeEventFilter(this);
    captionControl_ = control;
    if (control) control->installEventFilter(this);
}

bool TCustomElImageForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == captionControl_ && Drag(event, true)) return true;
    return TElImageFormLink::eventFilter(watched, event);
}

// Where the form answers "caption": over the caption control, or, without one, over the client
// area that no child covers.
bool TCustomElImageForm::OverCaption(QPoint formPoint) const {
    QWidget* form = GetRealControl();
    if (captionControl_) {
        const QRect caption(captionControl_->mapTo(form, QPoint(0, 0)), captionControl_->size());
        return caption.contains(formPoint);
    }
    return form->childAt(formPoint) == nullptr;
}

// A left press where the form answers "caption" starts moving it, as a drag on a title bar does:
// the press, the moves and the release belong to the move.
bool TCustomElImageForm::Drag(QEvent* event, bool overCaption) {
    QWidget* form = GetRealControl();
    if (!form) return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* m = static_cast<QMouseEvent*>(event);
        if (!moveForm_ || m->button() != Qt::LeftButton || !overCaption) return false;
        dragging_ = true;
        dragOffset_ = m->globalPosition().toPoint() - form->pos();
        return true;
    }
    case QEvent::MouseMove:
        if (!dragging_) return false;
        form->move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - dragOffset_);
        return true;
    case QEvent::MouseButtonRelease:
        if (!dragging_) return false;
        dragging_ = false;
        return true;
    default: return false;
    }
}

void TCustomElImageForm::BeforeFormEvent(QEvent* event, bool& handled) {
    QWidget* form = GetRealControl();
    if (!form) return;
    if (event->type() == QEvent::MouseButtonPress) {
        handled = Drag(event, OverCaption(static_cast<QMouseEvent*>(event)->position().toPoint()));
        return;
    }
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonRelease) {
        handled = Drag(event, false);
        return;
    }
    if (event->type() != QEvent::Paint) return;
    if (backgroundType_ == bgtColorFill && background_.isNull()) return;  // the form's own erasing
    if (const auto* query = dynamic_cast<const TImageFormEraseQuery*>(form); query && query->RefusesImageFormErase())
        return;
    QPainter p(form);
    const QRect exposed = static_cast<QPaintEvent*>(event)->rect();
    p.setClipRect(exposed);
    PaintBackground(p, form, form->rect());
}

void TCustomElImageForm::AfterFormEvent(QEvent* event, bool&) {
    QWidget* form = GetRealControl();
    if (!form) return;
    switch (event->type()) {
    case QEvent::Resize:
        RepaintForm();
        NotifyLinks();
        break;
    case QEvent::PaletteChange: form->update(); break;
    default: break;
    }
}

// ---------------------------------------------------------------------------------------------

void TElImageForm::SetChangeFormRegion(bool value) {
    if (value == changeFormRegion_) return;
    if (changeFormRegion_) RemoveRegion();
    changeFormRegion_ = value;
    if (value) BuildRegion();
}

void TElImageForm::SetFormImage(TImage* image) {
    if (image == formImage_) return;
    if (formImage_) disconnect(formImage_, nullptr, this, nullptr);
    formImage_ = image;
    if (image) {
        // One connection of our own: other listeners of the picture are left as they are.
        connect(image, &TImage::PictureChanged, this, &TElImageForm::PictureChanged, Qt::UniqueConnection);
        // The picture control is half destroyed by now: forget it before looking at its picture.
        connect(image, &QObject::destroyed, this, [this] {
            formImage_ = nullptr;
            PictureChanged();
        });
    }
    PictureChanged();
}

void TElImageForm::SetBackground(const QImage& picture) {
    background_ = picture;
    RepaintForm();
    NotifyLinks();
}

void TElImageForm::SetBackgroundType(TElBkGndType type) {
    if (type == backgroundType_) return;
    backgroundType_ = type;
    RepaintForm();
    NotifyLinks();
}

namespace {
bool IsGradient(TElBkGndType t) { return t == bgtHorzGradient || t == bgtVertGradient; }
}  // namespace

void TElImageForm::SetGradientStartColor(TColor color) {
    gradientStartColor_ = color;
    if (IsGradient(backgroundType_)) RepaintForm();
}

void TElImageForm::SetGradientEndColor(TColor color) {
    gradientEndColor_ = color;
    if (IsGradient(backgroundType_)) RepaintForm();
}

void TElImageForm::SetGradientSteps(int steps) {
    gradientSteps_ = steps;
    if (IsGradient(backgroundType_)) RepaintForm();
}

}  // namespace kvt::gui
