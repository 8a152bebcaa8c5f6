// Modal result, Escape and close handling of the dialogs.
#include "gui/platform/form.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPointer>

namespace kvt::gui {

TForm::TForm(QWidget* parent) : QDialog(parent) { setModal(true); }

void TForm::SetModalResult(int result) {
    modalResult_ = result;
    // Wakes the dialog's loop if it sleeps; it looks at the result when the handler has returned.
    if (result != mrNone && inModalLoop_)
        if (QAbstractEventDispatcher* d = QAbstractEventDispatcher::instance()) d->wakeUp();
}

int TForm::ShowModal() {
    if (inModalLoop_) return mrNone;
    modalResult_ = mrNone;
    const QPointer<TForm> self(this);
    setAttribute(Qt::WA_ShowModal, true);
    inModalLoop_ = true;
    show();
    // The dialog's own loop, not a nested QEventLoop::exec: the result is looked at only here,
    // between two events of this level. A message box, pull-down menu or further dialog that a
    // handler runs has its own loop inside processEvents, so it can never close this dialog while
    // the handler that set the result is still running.
    QEventLoop loop;
    while (self && modalResult_ == mrNone && isVisible()) loop.processEvents(QEventLoop::WaitForMoreEvents);
    if (!self) return mrCancel;
    inModalLoop_ = false;
    const int result = modalResult_;
    if (isVisible()) done(result);
    return result;
}

void TForm::Close() { SetModalResult(mrCancel); }

bool TForm::OfferKey(int key, Qt::KeyboardModifiers modifiers, QChar ch) {
    const QList<QWidget*> controls = findChildren<QWidget*>();
    for (QWidget* w : controls) {
        auto* target = dynamic_cast<TDialogKeyTarget*>(w);
        if (!target || !w->isVisible() || !w->isEnabled()) continue;
        if (window() != w->window()) continue;
        if (ch.isNull() ? target->DialogKey(key, modifiers) : target->DialogChar(ch)) return true;
    }
    return false;
}

void TForm::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Escape) {
        OfferKey(Qt::Key_Escape, mods, QChar());
        event->accept();  // never the dialog's own reject
        return;
    }
    const QString text = event->text();
    if (!(mods & (Qt::ControlModifier | Qt::MetaModifier))) {
        QChar ch = text.isEmpty() ? QChar() : text.at(0);
        // Alt+letter arrives without text on some platforms.
        if (ch.isNull() && (mods & Qt::AltModifier) && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)
            ch = QChar(static_cast<char16_t>(u'a' + (event->key() - Qt::Key_A)));
        if (!ch.isNull() && ch.isPrint() && OfferKey(event->key(), mods, ch)) {
            event->accept();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void TForm::closeEvent(QCloseEvent* event) {
    event->ignore();
    const QList<QWidget*> controls = findChildren<QWidget*>();
    for (QWidget* w : controls) {
        auto* target = dynamic_cast<TDialogKeyTarget*>(w);
        if (target && target->IsCancelControl() && w->isVisible() && w->isEnabled()) {
            target->DialogKey(Qt::Key_Escape, Qt::NoModifier);
            return;
        }
    }
}

TForm* GetParentForm(QWidget* control) {
    for (QWidget* w = control; w; w = w->parentWidget())
        if (auto* form = qobject_cast<TForm*>(w)) return form;
    return nullptr;
}

}  // namespace kvt::gui
