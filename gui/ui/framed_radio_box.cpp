// The picture-backed radio box.
#include "gui/ui/framed_radio_box.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include "gui/platform/text_draw.h"

namespace kvt::gui {

TNewRadBox::TNewRadBox(QWidget* parent) : TElWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    resize(kBitmapWidth, kBitmapHeight);
    UpdateClientArea();
}

QImage& TNewRadBox::BackBitmap() {
    // Grows only: what was drawn stays if the box shrinks and grows back.
    const QSize wanted = size().boundedTo(QSize(kBitmapWidth, kBitmapHeight)).expandedTo(backBitmap_.size());
    if (wanted == backBitmap_.size()) return backBitmap_;
    QImage grown(wanted, QImage::Format_RGB32);
    grown.fill(Qt::white);
    if (!backBitmap_.isNull()) {
        QPainter p(&grown);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QPoint(0, 0), backBitmap_);
    }
    backBitmap_ = std::move(grown);
    return backBitmap_;
}

void TNewRadBox::CopyBackground(const QImage& picture, QPoint boxOrigin) {
    QImage& bitmap = BackBitmap();
    QPainter p(&bitmap);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(0, 0), picture, QRect(boxOrigin, bitmap.size()));
    p.end();
    update();
}

void TNewRadBox::SetCaption(const QString& text) {
    if (text == caption_) return;
    caption_ = text;
    update();
}

void TNewRadBox::SetCtl3D(bool value) {
    if (value == ctl3D_) return;
    ctl3D_ = value;
    UpdateClientArea();
    NotifyCtl3DChanged();
}

void TNewRadBox::UpdateClientArea() {
    // The box and the group box beneath it each inset the children by a text line at the top and
    // a pixel (two with 3-D) at every side, so aligned children sit inside twice that.
    const int line = QFontMetrics(font()).height();
    const int side = ctl3D_ ? 2 : 1;
    setContentsMargins(2 * side, 2 * (line + side), 2 * side, 2 * side);
}

bool TNewRadBox::DialogChar(QChar key) {
    if (!IsAccel(key, caption_) || !isVisible() || !isEnabled()) return false;
    // The first control inside, in tab order, that Tab would stop at; else the first that can take
    // the focus at all. Labels, hidden and disabled controls are passed over.
    QWidget* anyFocusable = nullptr;
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (!isAncestorOf(w) || !w->isVisible() || !w->isEnabled() || w->focusPolicy() == Qt::NoFocus) continue;
        if (w->focusPolicy() & Qt::TabFocus) {
            w->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
        if (!anyFocusable) anyFocusable = w;
    }
    if (anyFocusable) anyFocusable->setFocus(Qt::ShortcutFocusReason);
    return true;
}

void TNewRadBox::paintEvent(QPaintEvent*) {
    const QImage& bitmap = BackBitmap();
    QPainter p(this);
    p.drawImage(QPoint(0, 0), bitmap);
}

void TNewRadBox::changeEvent(QEvent* event) {
    TElWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        UpdateClientArea();
        update();
    }
}

}  // namespace kvt::gui
