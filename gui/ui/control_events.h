// The drag-and-drop events every control of the library publishes, on top of Qt's drag and drop:
// a control that someone asks about a drag (OnDragOver) takes drops, and answers per position;
// BeginDrag starts a drag from a control, framed by OnStartDrag and OnEndDrag. A control gets
// them by deriving from TDragEvents<Base, Control> in place of Base and declaring the four signals.
#pragma once

#include <QCursor>
#include <QDrag>
#include <QDropEvent>
#include <QMetaMethod>
#include <QMimeData>
#include <QPointer>
#include <QWidget>

namespace kvt::gui {

enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

template <class Base, class W>
class TDragEvents : public Base {
public:
    using Base::Base;

    // Runs a drag from the control until it is dropped or cancelled (Escape): OnStartDrag first,
    // OnEndDrag with the control it ended on (nullptr when cancelled) and the point there.
    void BeginDrag() {
        W* w = Self();
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

protected:
    void dragEnterEvent(QDragEnterEvent* e) override { DragOver(e, dsDragEnter); }
    void dragMoveEvent(QDragMoveEvent* e) override { DragOver(e, dsDragMove); }
    void dragLeaveEvent(QDragLeaveEvent*) override {
        bool accept = false;
        emit Self()->OnDragOver(dragSource_.data(), dragLast_.x(), dragLast_.y(), dsDragLeave, &accept);
        dragSource_ = nullptr;
    }
    void dropEvent(QDropEvent* e) override {
        dragSource_ = nullptr;
        const QPoint at = e->position().toPoint();
        e->acceptProposedAction();
        emit Self()->OnDragDrop(e->source(), at.x(), at.y());
    }
    void connectNotify(const QMetaMethod& signal) override {
        // Only a control whose handler is asked about drags takes drops.
        if (signal == QMetaMethod::fromSignal(&W::OnDragOver)) this->setAcceptDrops(true);
        Base::connectNotify(signal);
    }

private:
    W* Self() { return static_cast<W*>(this); }

    // Enter and move: the handler decides whether a drop is welcome at this point. The enter
    // itself is always taken, or Qt would send no moves for a handler that accepts only some points.
    void DragOver(QDropEvent* e, TDragState state) {
        dragSource_ = e->source();
        dragLast_ = e->position().toPoint();
        bool accept = false;
        emit Self()->OnDragOver(e->source(), dragLast_.x(), dragLast_.y(), state, &accept);
        if (accept) {
            e->acceptProposedAction();
        } else if (state == dsDragEnter) {
            e->setDropAction(Qt::IgnoreAction);
            e->accept();
        } else {
            e->ignore();
        }
    }

    // The drag the control is being asked about: its source and the last point, for the leave.
    QPointer<QObject> dragSource_;
    QPoint dragLast_;
};

}  // namespace kvt::gui
