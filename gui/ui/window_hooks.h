// Window hooks: a component sees, and may swallow, every event of another control before and
// after the control's own handling, without subclassing it. All hooks on one control share one
// event filter; the hooks added last see each event first. A hook lets go of a control that is
// destroyed, and a handler may add or remove hooks while an event is being offered.
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
    void AddHook(TElHook* hook);
    void RemoveHook(TElHook* hook);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Contains(TElHook* hook) const;

    QPointer<QWidget> control_;
    std::vector<TElHook*> hooks_;
    bool installed_ = false;
    bool destroying_ = false;
};

// The records of all watched controls; a record stays (idle) after its last hook leaves and is
// reused, and goes when its control is destroyed.
class TElHookList {
public:
    static TElHookList& Instance();
    TCtlHook* Find(QWidget* control) const;
    TCtlHook* FindOrCreate(QWidget* control);
    size_t Count() const { return records_.size(); }

private:
    friend class TCtlHook;
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
    void ControlGone();

    bool active_ = false;
    bool designActive_ = false;
    QPointer<QWidget> control_;
};

}  // namespace kvt::gui
