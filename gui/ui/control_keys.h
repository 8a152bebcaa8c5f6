// The key events the check items, panels, list boxes and spin buttons publish around their own
// handling of a key: OnKeyDown before the control acts on the key (the handler may change it; 0
// swallows it), OnKeyPress with the key's character after (a null character swallows it), OnKeyUp
// on release. Each helper answers false when the control is gone or the handler swallowed the key,
// so the caller stops there. The helpers work on any control that declares those three signals.
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

// A key press as the controls take it: OnKeyDown, the control's own use of the key (keyDown(key)
// answers whether it took it), OnKeyPress and, for a character nothing took, typed(ch). Answers
// true when the key is left for the control's base class.
template <class W, class KeyDown, class Typed>
bool RaiseKeyPressEvents(W* w, QKeyEvent* e, KeyDown&& keyDown, Typed&& typed) {
    const QPointer<W> self(w);
    int key = 0;
    if (!RaiseKeyDown(w, e, key)) return false;
    bool used = keyDown(key);
    if (!self) return false;
    QChar ch;
    if (!RaiseKeyPress(w, e, ch)) return false;
    if (!used && !ch.isNull()) used = typed(ch);
    if (!self) return false;
    if (used) {
        e->accept();
        return false;
    }
    return true;
}

template <class W, class KeyDown>
bool RaiseKeyPressEvents(W* w, QKeyEvent* e, KeyDown&& keyDown) {
    return RaiseKeyPressEvents(w, e, keyDown, [](QChar) { return false; });
}

}  // namespace kvt::gui
