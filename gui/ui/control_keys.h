// The key events the check items, panels and list boxes publish around their own handling of a
// key: OnKeyDown before the control acts on the key (the handler may change it; 0 swallows it),
// OnKeyPress with the key's character after (a null character swallows it), OnKeyUp on release.
// Each helper answers false when the control is gone or the handler swallowed the key, so the
// caller stops there. The helpers work on any control that declares those three signals.
#pragma once

#include <QKeyEvent>
#include <QPointer>

namespace kvt::gui {

template <class W>
bool RaiseKeyDown(W* w, QKeyEvent* e, int& key) {
    const QPointer<W> self(w);
    key = e->key();
    emit w->OnKeyDown(&key, e->modifiers());
    if (!self) return false;
    if (key == 0) {
        e->accept();
        return false;
    }
    return true;
}

// A key that carries no character raises nothing and leaves ch null.
template <class W>
bool RaiseKeyPress(W* w, QKeyEvent* e, QChar& ch) {
    ch = QChar();
    if (e->text().isEmpty()) return true;
    const QPointer<W> self(w);
    ch = e->text().at(0);
    emit w->OnKeyPress(&ch);
    if (!self) return false;
    if (ch.isNull()) {
        e->accept();
        return false;
    }
    return true;
}

template <class W>
bool RaiseKeyUp(W* w, QKeyEvent* e) {
    const QPointer<W> self(w);
    int key = e->key();
    emit w->OnKeyUp(&key, e->modifiers());
    if (!self) return false;
    if (key == 0) {
        e->accept();
        return false;
    }
    return true;
}

}  // namespace kvt::gui
