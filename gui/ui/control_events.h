// The class library's events that the controls publish besides their own. Drag and drop, on top
// of Qt's: a control that someone asks about a drag (OnDragOver) takes drops, and answers per
// position; BeginDrag starts a drag from a control, framed by OnStartDrag and OnEndDrag. A control
// gets them by deriving from TDragEvents<Base, Control> in place of Base and declaring the four
// signals. The windowed controls (check items, panels, list boxes, spin buttons) derive from
// TEventControl, which declares those and the click, mouse, focus and key events as well.
#pragma once

#include <QCursor>
#include <QDrag>
#include <QDropEvent>
#include <QMetaMethod>
#include <QMimeData>
#include <QPointer>
#include <QWidget>

#include "gui/ui/themed_control.h"

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

// A themed control with the class library's events. The descendant raises the click, mouse, key
// and focus events around its own handling of the same input (the key events through
// control_keys.h); the drag events are raised here.
class TEventControl : public TDragEvents<TElXPThemedControl, TEventControl> {
    Q_OBJECT
public:
    explicit TEventControl(QWidget* parent = nullptr) : TDragEvents(parent) {}

signals:
    void OnClick();
    void OnDblClick();
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void OnEnter();
    void OnExit();
    // Key handlers may change the key (0 or a null character swallows it).
    void OnKeyDown(int* key, Qt::KeyboardModifiers shift);
    void OnKeyPress(QChar* key);
    void OnKeyUp(int* key, Qt::KeyboardModifiers shift);
    void OnDragOver(QObject* source, int x, int y, kvt::gui::TDragState state, bool* accept);
    void OnDragDrop(QObject* source, int x, int y);
    void OnStartDrag();
    void OnEndDrag(QObject* target, int x, int y);
};

}  // namespace kvt::gui
