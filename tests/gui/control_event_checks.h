// Checks shared by the control families' event tests: a drag passed over a control and dropped
// on it, as the window system delivers one, with what the control's handlers were told.
#pragma once

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>

#include <string>
#include <vector>

#include "gui/ui/control_events.h"

namespace kvt::testing {

// Connects OnDragOver (welcoming every point) and OnDragDrop, sends an enter at (4, 4), a move
// at (6, 7) and a drop at (5, 12), and answers the log: "over <state> x,y" and "drop x,y".
template <class W>
std::vector<std::string> DragOverAndDrop(W* w) {
    std::vector<std::string> log;
    const auto over = QObject::connect(w, &W::OnDragOver,
                                       [&log](QObject*, int x, int y, kvt::gui::TDragState state, bool* accept) {
                                           *accept = true;
                                           log.push_back("over " + std::to_string(state) + " " + std::to_string(x) +
                                                         "," + std::to_string(y));
                                       });
    const auto drop = QObject::connect(w, &W::OnDragDrop, [&log](QObject*, int x, int y) {
        log.push_back("drop " + std::to_string(x) + "," + std::to_string(y));
    });
    QMimeData data;
    QDragEnterEvent enter(QPoint(4, 4), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &enter);
    QDragMoveEvent move(QPoint(6, 7), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    QDropEvent dropEvent(QPointF(5, 12), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &dropEvent);
    QObject::disconnect(over);
    QObject::disconnect(drop);
    return log;
}

inline const std::vector<std::string>& DragOverAndDropLog() {
    static const std::vector<std::string> log = {"over 0 4,4", "over 2 6,7", "drop 5,12"};
    return log;
}

}  // namespace kvt::testing
