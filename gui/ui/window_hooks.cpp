// Hooks run as one event filter per control. The filter offers an event to the hooks, then hands
// it back to Qt for the control's own handling (the filters installed before and the control's
// event()) and, when that has returned, offers it to the hooks again.
#include "gui/ui/window_hooks.h"

#include <QCoreApplication>
#include <QDropEvent>

#include <algorithm>
#include <memory>

namespace kvt::gui {

namespace {

// What Qt does with an event that a child control leaves unanswered: it offers it to the parents.
// Inside the hook that climb must not happen, or the parents would get it there and again when
// the delivery the hook stands in resumes; that one climbs once, with the control's answer.
enum class Climb {
    None,
    // Stopped by Qt::WA_NoMousePropagation on the control.
    Mouse,
    // Handed on as the same object: the control handles a copy whose climb is swallowed.
    Same,
    // Handed on as fresh copies of the same kind: those are swallowed.
    Fresh,
};

Climb ClimbOf(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TabletMove:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TouchBegin: return Climb::Mouse;
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::StatusTip:
    case QEvent::WhatsThisClicked:
    case QEvent::NativeGesture:
    case QEvent::DragEnter: return Climb::Same;
    case QEvent::ToolTip:
    case QEvent::WhatsThis:
    case QEvent::QueryWhatsThis: return Climb::Fresh;
    default: return Climb::None;
    }
}

// While the control handles its copy, swallows that copy (or its kind) reaching a parent.
class ClimbStopper : public QObject {
public:
    ClimbStopper(QWidget* control, const QEvent* copy, bool fresh) : control_(control), copy_(copy), fresh_(fresh) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~ClimbStopper() override { QCoreApplication::instance()->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event != copy_ && !(fresh_ && event->type() == copy_->type())) return false;
        if (!control_ || !watched->isWidgetType() || watched == control_ ||
            !static_cast<QWidget*>(watched)->isAncestorOf(control_))
            return false;
        event->ignore();
        return true;
    }

private:
    QPointer<QWidget> control_;
    const QEvent* copy_;
    bool fresh_;
};

void CopyAnswer(const QEvent& from, QEvent& to) {
    if (to.type() == QEvent::DragEnter) {
        const auto& source = static_cast<const QDragEnterEvent&>(from);
        auto& target = static_cast<QDragEnterEvent&>(to);
        target.setDropAction(source.dropAction());
        if (source.isAccepted())
            target.accept(source.answerRect());
        else
            target.ignore(source.answerRect());
        return;
    }
    to.setAccepted(from.isAccepted());
}

bool programEndRegistered = false;
TElHookList* theList = nullptr;

}  // namespace

TCtlHook::TCtlHook(QWidget* control) : control_(control), identity_(control) {
    connect(control, &QObject::destroyed, this, [this] { ControlDestroyed(); });
}

TCtlHook::~TCtlHook() {
    destroying_ = true;
    if (control_ && installed_) control_->removeEventFilter(this);
    for (TElHook* h : hooks_)
        if (h->record_ == this) h->record_ = nullptr;
    if (theList) {
        auto& records = theList->records_;
        records.erase(std::remove(records.begin(), records.end(), this), records.end());
    }
}

void TCtlHook::ControlDestroyed() {
    // The hooks let go at once; the record stays until Qt has sent the dying control its last
    // event (QEvent::Destroy), which the hooks still see after its handling.
    destroying_ = true;
    for (TElHook* h : hooks_) h->ControlGone();
    if (theList) {
        auto& records = theList->records_;
        records.erase(std::remove(records.begin(), records.end(), this), records.end());
    }
    if (!installed_)
        FreeWhenIdle();
    else
        deleteLater();  // should an application filter keep that last event from the record
}

void TCtlHook::FreeWhenIdle() {
    freeWhenIdle_ = true;
    if (depth_ == 0) delete this;
}

bool TCtlHook::Contains(TElHook* hook) const { return std::find(hooks_.begin(), hooks_.end(), hook) != hooks_.end(); }

void TCtlHook::AddHook(TElHook* hook) {
    if (Contains(hook) || destroying_) return;
    if (hook->record_ && hook->record_ != this) hook->record_->RemoveHook(hook);
    hooks_.push_back(hook);
    hook->record_ = this;
    if (!installed_ && control_) {
        control_->installEventFilter(this);
        installed_ = true;
    }
}

void TCtlHook::RemoveHook(TElHook* hook) {
    hooks_.erase(std::remove(hooks_.begin(), hooks_.end(), hook), hooks_.end());
    if (hook->record_ == this) hook->record_ = nullptr;
    if (hooks_.empty() && installed_ && !destroying_) {
        if (control_) control_->removeEventFilter(this);
        installed_ = false;
    }
}

// Handlers may add or remove hooks (even this record's last one) while the event is offered:
// walk a copy, last added first, and skip hooks that have left.
bool TCtlHook::Offer(QEvent* event, bool before) {
    std::vector<QPointer<TElHook>> snapshot(hooks_.rbegin(), hooks_.rend());
    bool handled = false;
    for (auto& h : snapshot) {
        if (handled) break;
        if (!h || !Contains(h)) continue;
        if (before)
            h->DoBeforeProcess(event, handled);
        else
            h->DoAfterProcess(event, handled);
    }
    return handled;
}

void TCtlHook::DeliverToControl(QObject* target, QEvent* event) {
    const QPointer<QWidget> alive(control_);
    Climb climb = ClimbOf(event->type());
    if (climb != Climb::None && (!alive || alive->isWindow())) climb = Climb::None;
    std::unique_ptr<QEvent> copy;
    std::unique_ptr<ClimbStopper> stopper;
    QEvent* delivered = event;
    bool stoppedMouse = false;
    if (climb == Climb::Mouse && !alive->testAttribute(Qt::WA_NoMousePropagation)) {
        alive->setAttribute(Qt::WA_NoMousePropagation, true);
        stoppedMouse = true;
    } else if (climb == Climb::Same || climb == Climb::Fresh) {
        copy.reset(event->clone());
        delivered = copy.get();
        stopper = std::make_unique<ClimbStopper>(alive, delivered, climb == Climb::Fresh);
    }
    // Back through Qt, so the filters installed on the control before the hook run as well.
    delivering_.push_back(delivered);
    QCoreApplication::sendEvent(target, delivered);
    delivering_.pop_back();
    stopper.reset();
    if (stoppedMouse && alive) alive->setAttribute(Qt::WA_NoMousePropagation, false);
    if (copy) CopyAnswer(*copy, *event);
}

bool TCtlHook::eventFilter(QObject* watched, QEvent* event) {
    if (watched != identity_ || (!control_ && !destroying_)) return false;
    // The control's own handling of an event this record hands it: let it pass.
    if (std::find(delivering_.begin(), delivering_.end(), event) != delivering_.end()) return false;
    ++depth_;
    // The hook stays the outermost handler: a filter installed on the control later runs inside
    // it from the next event on, instead of before the hook and again within the control.
    if (installed_ && control_ && !destroying_) control_->installEventFilter(this);
    bool handled = false;
    if (!destroying_ && event->type() != QEvent::Quit) handled = Offer(event, true);
    if (!handled) DeliverToControl(watched, event);
    Offer(event, false);
    if (destroying_ && !control_ && event->type() == QEvent::Destroy) freeWhenIdle_ = true;
    --depth_;
    if (depth_ == 0 && freeWhenIdle_) delete this;
    return true;
}

TElHookList& TElHookList::Instance() {
    if (!theList) {
        theList = new TElHookList;
        if (!programEndRegistered) {
            programEndRegistered = true;
            qAddPostRoutine(&TElHookList::FreeAll);
        }
    }
    return *theList;
}

TElHookList* TElHookList::Existing() { return theList; }

void TElHookList::FreeAll() {
    TElHookList* list = theList;
    theList = nullptr;
    delete list;
}

TElHookList::~TElHookList() {
    const auto records = records_;
    records_.clear();
    for (TCtlHook* r : records) {
        for (TElHook* h : r->hooks_) {
            h->ControlGone();
            h->record_ = nullptr;
        }
        r->hooks_.clear();
        r->FreeWhenIdle();
    }
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
    if (record_) record_->RemoveHook(this);
}

void TElHook::SetActive(bool value) {
    if (value == active_) return;
    if (!value) {
        if (record_) record_->RemoveHook(this);
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
