// Mouse and focus states for gallery cells, delivered as the window system would deliver them.
#pragma once

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QWidget>

namespace kvt::gallery {

inline void Hover(QWidget* w, QPoint at = QPoint(4, 4)) {
    QEnterEvent enter(at, w->mapToGlobal(at), w->mapToGlobal(at));
    QApplication::sendEvent(w, &enter);
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

inline void Press(QWidget* w, QPoint at = QPoint(4, 4)) {
    Hover(w, at);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

inline void Focus(QWidget* w) {
    w->window()->activateWindow();
    QApplication::processEvents();
    w->setFocus(Qt::OtherFocusReason);
}

}  // namespace kvt::gallery
