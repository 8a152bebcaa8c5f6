// Window hooks: who sees an event, in which order, before and after the control's own handling,
// and hooks whose control is destroyed.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include <memory>

#include "gui/ui/window_hooks.h"

namespace kvt::gui {
namespace {

const QEvent::Type kProbe = static_cast<QEvent::Type>(QEvent::User + 11);

struct Log {
    std::vector<std::string> lines;
};

class LoggingWidget : public QWidget {
public:
    explicit LoggingWidget(Log* log) : log_(log) {}

protected:
    bool event(QEvent* e) override {
        if (e->type() == kProbe) {
            log_->lines.push_back("control");
            return true;
        }
        return QWidget::event(e);
    }

private:
    Log* log_;
};

std::unique_ptr<TElHook> MakeHook(QWidget* control, Log& log, const std::string& name, bool swallowBefore = false) {
    auto hook = std::make_unique<TElHook>();
    hook->OnBeforeProcess = [&log, name, swallowBefore](QObject*, QEvent* e, bool& handled) {
        if (e->type() != kProbe) return;
        log.lines.push_back(name + " before");
        handled = swallowBefore;
    };
    hook->OnAfterProcess = [&log, name](QObject*, QEvent* e, bool&) {
        if (e->type() == kProbe) log.lines.push_back(name + " after");
    };
    hook->SetControl(control);
    hook->SetActive(true);
    return hook;
}

std::vector<std::string> Probe(QWidget* w, Log& log) {
    log.lines.clear();
    QEvent e(kProbe);
    QCoreApplication::sendEvent(w, &e);
    return log.lines;
}

using Lines = std::vector<std::string>;

TEST(WindowHooks, TheLastAddedHookSeesEachEventFirstAroundTheControl) {
    Log log;
    LoggingWidget w(&log);
    auto first = MakeHook(&w, log, "first");
    auto second = MakeHook(&w, log, "second");
    EXPECT_EQ(Probe(&w, log), (Lines{"second before", "first before", "control", "second after", "first after"}));
    ASSERT_NE(TElHookList::Instance().Find(&w), nullptr);
    EXPECT_EQ(TElHookList::Instance().Find(&w)->Hooks().size(), 2u);  // one shared record
}

TEST(WindowHooks, AHandledEventNeverReachesTheControlButEveryHookSeesItAfter) {
    Log log;
    LoggingWidget w(&log);
    auto first = MakeHook(&w, log, "first");
    auto second = MakeHook(&w, log, "second", true);
    EXPECT_EQ(Probe(&w, log), (Lines{"second before", "second after", "first after"}));
}

TEST(WindowHooks, DeactivatingTheLastHookGivesTheControlItsOwnHandlingBack) {
    Log log;
    LoggingWidget w(&log);
    auto hook = MakeHook(&w, log, "hook");
    TCtlHook* record = TElHookList::Instance().Find(&w);
    hook->SetActive(false);
    EXPECT_EQ(Probe(&w, log), (Lines{"control"}));
    EXPECT_FALSE(record->Installed());
    EXPECT_EQ(TElHookList::Instance().Find(&w), record);  // kept for reuse
    hook->SetActive(true);
    EXPECT_EQ(Probe(&w, log), (Lines{"hook before", "control", "hook after"}));
}

// Logs the probe and, with a name for it, one more kind of event.
std::unique_ptr<TElHook> MakeWatcher(QWidget* control, Log& log, QEvent::Type also, const std::string& alsoName) {
    auto hook = std::make_unique<TElHook>();
    auto name = [also, alsoName](QEvent* e) { return e->type() == kProbe ? std::string("probe") : e->type() == also ? alsoName : ""; };
    hook->OnBeforeProcess = [&log, name](QObject*, QEvent* e, bool&) {
        if (!name(e).empty()) log.lines.push_back(name(e) + " before");
    };
    hook->OnAfterProcess = [&log, name](QObject*, QEvent* e, bool&) {
        if (!name(e).empty()) log.lines.push_back(name(e) + " after");
    };
    hook->SetControl(control);
    hook->SetActive(true);
    return hook;
}

// A destroyed control: its hooks let go at once, yet still see its last event, QEvent::Destroy,
// after its handling (never before: the record is being destroyed).
TEST(WindowHooks, AHookLetsGoOfADestroyedControl) {
    Log log;
    auto w = std::make_unique<LoggingWidget>(&log);
    QWidget* raw = w.get();
    auto hook = MakeWatcher(raw, log, QEvent::Destroy, "destroy");
    const size_t records = TElHookList::Instance().Count();
    w.reset();
    EXPECT_EQ(log.lines, (Lines{"destroy after"}));
    EXPECT_EQ(hook->Control(), nullptr);
    EXPECT_FALSE(hook->Active());
    EXPECT_EQ(TElHookList::Instance().Count(), records - 1);
    EXPECT_EQ(TElHookList::Instance().Find(raw), nullptr);
    LoggingWidget other(&log);
    hook->SetControl(&other);
    hook->SetActive(true);
    log.lines.clear();
    EXPECT_EQ(Probe(&other, log), (Lines{"probe before", "control", "probe after"}));
}

// A control that deletes itself while it handles an event.
class SelfDeletingWidget : public QWidget {
public:
    explicit SelfDeletingWidget(Log* log) : log_(log) {}

protected:
    bool event(QEvent* e) override {
        if (e->type() == kProbe) {
            log_->lines.push_back("control goes");
            delete this;
            return true;
        }
        return QWidget::event(e);
    }

private:
    Log* log_;
};

TEST(WindowHooks, AControlDestroyedInItsOwnHandlingStillGivesItsHooksTheirAfterTurn) {
    Log log;
    auto* w = new SelfDeletingWidget(&log);
    auto hook = MakeWatcher(w, log, QEvent::Destroy, "destroy");
    const size_t records = TElHookList::Instance().Count();
    QEvent e(kProbe);
    QCoreApplication::sendEvent(w, &e);
    EXPECT_EQ(log.lines, (Lines{"probe before", "control goes", "destroy after", "probe after"}));
    EXPECT_EQ(hook->Control(), nullptr);
    EXPECT_EQ(TElHookList::Instance().Count(), records - 1);
}

}  // namespace
}  // namespace kvt::gui
