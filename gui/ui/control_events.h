// The drag-and-drop events every control of the library publishes, on top of Qt's drag and drop:
// a control that someone asks about a drag (OnDragOver) takes drops, and answers per position;
// BeginDrag starts a drag from a control, framed by OnStartDrag and OnEndDrag. The helpers work
// on any control that declares those four signals.
#pragma once

#include <QCursor>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QWidget>

namespace kvt::gui {

enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

// The drag a control is being asked about: its source and the last point, for the leave.
struct TDragOverState {
    QPointer<QObject> Source;
    QPoint Last;
};

// Enter and move: the handler decides whether a drop is welcome at this point. The enter itself
// is always taken, or Qt would send no moves for a handler that accepts only some points.
template <class W>
void ControlDragOver(W* w, TDragOverState& s, QDropEvent* e, TDragState state) {
    s.Source = e->source();
    s.Last = e->position().toPoint();
    bool accept = false;
    emit w->OnDragOver(e->source(), s.Last.x(), s.Last.y(), state, &accept);
    if (accept) {
        e->acceptProposedAction();
    } else if (state == dsDragEnter) {
        e->setDropAction(Qt::IgnoreAction);
        e->accept();
    } else {
        e->ignore();
    }
}

template <class W>
void ControlDragLeave(W* w, TDragOverState& s) {
    bool accept = false;
    emit w->OnDragOver(s.Source.data(), s.Last.x(), s.Last.y(), dsDragLeave, &accept);
    s.Source = nullptr;
}

template <class W>
void ControlDrop(W* w, TDragOverState& s, QDropEvent* e) {
    s.Source = nullptr;
    const QPoint at = e->position().toPoint();
    e->acceptProposedAction();
    emit w->OnDragDrop(e->source(), at.x(), at.y());
}

// Runs a drag from the control until it is dropped or cancelled (Escape): OnStartDrag first,
// OnEndDrag with the control it ended on (nullptr when cancelled) and the point there.
template <class W>
void ControlBeginDrag(W* w) {
    const QPointer<W> self(w);
    emit w->OnStartDrag();
    if (!self) return;
    auto* drag = new QDrag(w);
    auto* data = new QMimeData;
    data->setData(QStringLiteral("application/x-kvt-control"), QByteArray());
    drag->setMimeData(data);
    drag->exec(Qt::MoveAction | Qt::CopyAction);
    if (!self) return;
    QObject* target = drag->target();
    QPoint at;
    if (auto* tw = qobject_cast<QWidget*>(target)) at = tw->mapFromGlobal(QCursor::pos());
    drag->deleteLater();
    emit w->OnEndDrag(target, at.x(), at.y());
}

}  // namespace kvt::gui
