// The map and minimap boxes.
#include "gui/main/map_box.h"

#include <QMouseEvent>
#include <QPainter>

#include <utility>

#include "engine/view/map_view_rules.h"

namespace kvt::gui {

TPictureBox::TPictureBox(QWidget* parent, QSize size) : QWidget(parent), surface_(size, QImage::Format_RGB32) {
    surface_.fill(Qt::black);
    setFixedSize(size);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPictureBox::Expose() {
    exposed_ = true;
    update();
}

void TPictureBox::paintEvent(QPaintEvent* event) {
    // Only an expose redraws: a paint the game asked for shows the markers it drew, and a grab
    // of the window must not change what it grabs.
    if (std::exchange(exposed_, false) && OnExpose) OnExpose();
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(event->rect().topLeft(), surface_, event->rect());
}

void TPictureBox::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown) OnMouseDown(event->button(), event->position().toPoint());
}

void TPictureBox::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove) OnMouseMove(event->position().toPoint());
}

void TPictureBox::mouseReleaseEvent(QMouseEvent* event) {
    if (OnMouseUp) OnMouseUp(event->button(), event->position().toPoint());
}

TMapBox::TMapBox(QWidget* parent) : TPictureBox(parent, QSize(kMapBoxWidth, kMapBoxHeight)) {}

TMiniMapBox::TMiniMapBox(QWidget* parent) : TPictureBox(parent, QSize(kMapColumns, kMapRows)) {}

}  // namespace kvt::gui
