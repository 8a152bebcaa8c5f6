// The up-down control.
#include "gui/platform/up_down.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

#include "gui/platform/colors.h"
#include "gui/platform/edges.h"

namespace kvt::gui {

TUpDown::TUpDown(QWidget* parent) : QWidget(parent) {}

void TUpDown::SetMin(int value) {
    min_ = value;
    max_ = std::max(max_, min_);
    SetPosition(position_);
}

void TUpDown::SetMax(int value) {
    max_ = value;
    min_ = std::min(min_, max_);
    SetPosition(position_);
}

void TUpDown::SetPosition(int value) { position_ = std::clamp(value, min_, max_); }

QRect TUpDown::UpRect() const { return QRect(0, 0, width(), height() / 2); }
QRect TUpDown::DownRect() const { return QRect(0, height() / 2, width(), height() - height() / 2); }

void TUpDown::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor ink = ToQColor(isEnabled() ? clBtnText : clGrayText);
    for (int part : {1, -1}) {
        const QRect r = part == 1 ? UpRect() : DownRect();
        DrawFrameControl(p, r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed_ == part ? DFCS_PUSHED : 0));
        const QPoint c = r.center() + (pressed_ == part ? QPoint(1, 1) : QPoint());
        const int h = std::max(1, std::min(r.height() / 4, r.width() / 6));
        QPolygon arrow;
        if (part == 1) arrow << QPoint(c.x() - 2 * h, c.y() + h) << QPoint(c.x() + 2 * h, c.y() + h) << QPoint(c.x(), c.y() - h);
        else arrow << QPoint(c.x() - 2 * h, c.y() - h) << QPoint(c.x() + 2 * h, c.y() - h) << QPoint(c.x(), c.y() + h);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPolygon(arrow);
    }
}

void TUpDown::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = UpRect().contains(event->position().toPoint()) ? 1 : -1;
    SetPosition(position_ + pressed_);
    update();
}

void TUpDown::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || pressed_ == 0) return;
    pressed_ = 0;
    update();
    emit OnMouseUp();
}

}  // namespace kvt::gui
