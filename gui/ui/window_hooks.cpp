// Hooks run as one event filter per control that wraps the control's own event handling.
#include "gui/ui/window_hooks.h"

#include <algorithm>

namespace kvt::gui {

TCtlHook::TCtlHook(QWidget* control) : control_(control) {
    // The record goes with its control; its hooks are told and let go.
    connect(control, &QObject::destroyed, this, [this] {
        destroying_ = true;
        const auto hooks = hooks_;
        hooks_.clear();
        for (TElHook* h : hooks) h->ControlGone();
        delete this;
    });
}

TCtlHook::~TCtlHook() {
    destroying_ = true;
    if (control_ && installed_) control_->removeEventFilter(this);
    auto& records = TElHookList::Instance().records_;
    records.erase(std::remove(records.begin(), records.end(), this), records.end());
}

bool TCtlHook::Contains(TElHook* hook) const { return std::find(hooks_.begin(), hooks_.end(), hook) != hooks_.end(); }

void TCtlHook::AddHook(TElHook* hook) {
    if (Contains(hook)) return;
    hooks_.push_back(hook);
    if (!installed_ && control_) {
        control_->installEventFilter(this);
        installed_ = true;
    }
}

void TCtlHook::RemoveHook(TElHook* hook) {
    hooks_.erase(std::remove(hooks_.begin(), hooks_.end(), hook), hooks_.end());
    if (hooks_.empty() && installed_) {
        if (control_) control_->removeEventFilter(this);
        installed_ = false;
    }
}

bool TCtlHook::eventFilter(QObject* watched, QEvent* event) {
    if (watched != control_ || destroying_ || event->type() == QEvent::Quit) return false;
    // Handlers may add or remove hooks (even this record's last one) while the event is offered:
    // walk a copy, skip hooks that have left, and keep this record alive through the walk.
    QPointer<TCtlHook> self(this);
    std::vector<QPointer<TElHook>> snapshot(hooks_.rbegin(), hooks_.rend());
    bool handled = false;
    for (auto& h : snapshot) {
        if (!self || handled) break;
        if (h && Contains(h)) h->DoBeforeProcess(event, handled);
    }
    if (!self || !control_) return true;
    // The control's own handling; the filter answers for it, so Qt does not run it again.
    if (!handled) static_cast<QObject*>(control_.data())->event(event);
    bool afterHandled = false;
    if (!self) return true;
    std::vector<QPointer<TElHook>> after(hooks_.rbegin(), hooks_.rend());
    for (auto& h : after) {
        if (!self || afterHandled) break;
        if (h && Contains(h)) h->DoAfterProcess(event, afterHandled);
    }
    return true;
}

TElHookList& TElHookList::Instance() {
    static TElHookList list;
    return list;
}

TCtlHook* TElHookList::Find(QWidget* control) const {
    for (TCtlHook* r : records_)
        if (r->Control() == control) return r;
    return nullptr;
}

TCtlHook* TElHookList::FindOrCreate(QWidget* control) {
    if (TCtlHook* r = Find(control)) return r;
    auto* r = new TCtlHook(control);
    records_.push_back(r);
    return r;
}

TElHook::TElHook(QObject* owner) : QObject(owner) {}

TElHook::~TElHook() {
    if (active_ && control_)
        if (TCtlHook* r = TElHookList::Instance().Find(control_)) r->RemoveHook(this);
}

void TElHook::SetActive(bool value) {
    if (value == active_) return;
    if (!value) {
        if (control_)
            if (TCtlHook* r = TElHookList::Instance().Find(control_)) r->RemoveHook(this);
    } else if (control_) {
        TElHookList::Instance().FindOrCreate(control_)->AddHook(this);
    }
    active_ = value;
}

void TElHook::SetControl(QWidget* control) {
    if (control == control_) return;
    const bool wasActive = active_;
    SetActive(false);
    control_ = control;
    if (control_) SetActive(wasActive);
}

void TElHook::ControlGone() {
    active_ = false;
    control_ = nullptr;
}

void TElHook::DoBeforeProcess(QEvent* msg, bool& handled) {
    if (OnBeforeProcess) OnBeforeProcess(this, msg, handled);
}

void TElHook::DoAfterProcess(QEvent* msg, bool& handled) {
    if (OnAfterProcess) OnAfterProcess(this, msg, handled);
}

}  // namespace kvt::gui
