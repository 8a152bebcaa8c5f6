// Window hooks: a component sees, and may swallow, every event of another control before and
// after the control's own handling, without subclassing it. All hooks on one control share one
// event filter; the hooks added last see each event first. The control's own handling is
// everything Qt would have done without the hooks (the filters installed on it before, then its
// event()), so the hook wraps the control and never cuts a filter out. A hook lets go of a control
// that is destroyed, and a handler may add or remove hooks while an event is being offered.
#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

namespace kvt::gui {

class TElHook;

// Sender, the event, and whether it is handled (a handled event goes no further).
using TElHookEvent = std::function<void(QObject* sender, QEvent* msg, bool& handled)>;

// The shared record of one watched control: its hooks and the filter that runs them.
class TCtlHook : public QObject {
    Q_OBJECT
public:
    explicit TCtlHook(QWidget* control);
    ~TCtlHook() override;

    QWidget* Control() const { return control_; }
    const std::vector<TElHook*>& Hooks() const { return hooks_; }
    bool Installed() const { return installed_; }
    // True once the control is gone or the record is being freed: events are then no longer
    // offered to the hooks before the control's handling, only after it.
    bool Destroying() const { return destroying_; }
    void AddHook(TElHook* hook);
    void RemoveHook(TElHook* hook);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TElHookList;
    bool Contains(TElHook* hook) const;
    bool Offer(QEvent* event, bool before);
    void DeliverToControl(QObject* target, QEvent* event);
    void ControlDestroyed();
    void FreeWhenIdle();

    QPointer<QWidget> control_;
    QObject* identity_;  // the control, still recognised while Qt destroys it
    std::vector<TElHook*> hooks_;
    bool installed_ = false;
    bool destroying_ = false;
    bool freeWhenIdle_ = false;
    // Events being handed to the control's own handling right now (they come back through this
    // filter and must pass), and how deep this record is in offering events.
    std::vector<QEvent*> delivering_;
    int depth_ = 0;
};

// The records of all watched controls: created when the first hook is activated and freed, with
// every record in it, when the application ends. A record stays (idle) after its last hook leaves
// and is reused; it goes when its control is destroyed.
class TElHookList {
public:
    // The list, created when missing.
    static TElHookList& Instance();
    // The list when it exists (none before the first hook and after the program's end).
    static TElHookList* Existing();
    // Frees the list and its records; each control gets its own handling back and its hooks let
    // go of it. Runs when the application object is destroyed.
    static void FreeAll();

    TCtlHook* Find(QWidget* control) const;
    TCtlHook* FindOrCreate(QWidget* control);
    size_t Count() const { return records_.size(); }

private:
    friend class TCtlHook;
    TElHookList() = default;
    ~TElHookList();
    std::vector<TCtlHook*> records_;
};

class TElHook : public QObject {
    Q_OBJECT
public:
    explicit TElHook(QObject* owner = nullptr);
    ~TElHook() override;

    bool Active() const { return active_; }
    void SetActive(bool value);
    // Hooks also work while their owner is designed; this platform has no design mode, so the
    // value is only kept.
    bool DesignActive() const { return designActive_; }
    void SetDesignActive(bool value) { designActive_ = value; }
    QWidget* Control() const { return control_; }
    // Moves the hook to another control, keeping it active or not.
    void SetControl(QWidget* control);

    TElHookEvent OnBeforeProcess;
    TElHookEvent OnAfterProcess;

    virtual void DoBeforeProcess(QEvent* msg, bool& handled);
    virtual void DoAfterProcess(QEvent* msg, bool& handled);

private:
    friend class TCtlHook;
    friend class TElHookList;
    void ControlGone();

    QPointer<TCtlHook> record_;  // the record that lists this hook
    bool active_ = false;
    bool designActive_ = false;
    QPointer<QWidget> control_;
};

}  // namespace kvt::gui
