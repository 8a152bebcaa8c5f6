// Checks shared by the control families' event tests: the class library's events noted in order,
// and a drag passed over a control and dropped on it, as the window system delivers one.
#pragma once

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "gui/ui/control_events.h"

namespace kvt::testing {

// Notes a control's mouse, focus and key events in `log` as "down x,y", "move x,y", "up x,y",
// "enter", "exit", "key down N", "key press c" and "key up N". The handlers swallow a key down of
// `swallowKey` and a key press of `swallowChar`, as a handler may. Declare `log` before the control's
// window: a focused control notes its "exit" as the window is destroyed.
template <class W>
void LogLibraryEvents(W* w, std::vector<std::string>& log, int swallowKey = Qt::Key_Q, QChar swallowChar = QChar()) {
    const auto at = [](int x, int y) { return std::to_string(x) + "," + std::to_string(y); };
    QObject::connect(w, &W::OnMouseDown, [&log, at](Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
        log.push_back("down " + at(x, y));
    });
    QObject::connect(w, &W::OnMouseMove, [&log, at](Qt::KeyboardModifiers, int x, int y) { log.push_back("move " + at(x, y)); });
    QObject::connect(w, &W::OnMouseUp, [&log, at](Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
        log.push_back("up " + at(x, y));
    });
    QObject::connect(w, &W::OnEnter, [&log]() { log.push_back("enter"); });
    QObject::connect(w, &W::OnExit, [&log]() { log.push_back("exit"); });
    QObject::connect(w, &W::OnKeyDown, [&log, swallowKey](int* key, Qt::KeyboardModifiers) {
        log.push_back("key down " + std::to_string(*key));
        if (*key == swallowKey) *key = 0;
    });
    QObject::connect(w, &W::OnKeyPress, [&log, swallowChar](QChar* key) {
        log.push_back(std::string("key press ") + key->toLatin1());
        if (!swallowChar.isNull() && *key == swallowChar) *key = QChar();
    });
    QObject::connect(w, &W::OnKeyUp, [&log](int* key, Qt::KeyboardModifiers) { log.push_back("key up " + std::to_string(*key)); });
}

// One player's action and the events it must note, in order.
struct EventStep {
    std::function<void()> action;
    std::vector<std::string> expected;
};
inline void ExpectEventSteps(std::vector<std::string>& log, const std::vector<EventStep>& steps) {
    for (std::size_t i = 0; i < steps.size(); ++i) {
        log.clear();
        steps[i].action();
        EXPECT_EQ(log, steps[i].expected) << "step " << i;
    }
}

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
