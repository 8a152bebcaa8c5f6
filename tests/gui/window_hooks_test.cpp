// Window hooks: who sees an event, in which order, before and after the control's own handling;
// hooks that change while an event is offered; hooks whose control is destroyed.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QHelpEvent>
#include <QImage>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>

#include <memory>

#include "gui/ui/window_hooks.h"
#include "tests/gui/gui_support.h"

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

TEST(WindowHooks, MovingAnActiveHookToAnotherControlKeepsItActive) {
    Log log;
    LoggingWidget a(&log), b(&log);
    auto hook = MakeHook(&a, log, "hook");
    hook->SetControl(&b);
    EXPECT_TRUE(hook->Active());
    EXPECT_EQ(Probe(&a, log), (Lines{"control"}));
    EXPECT_EQ(Probe(&b, log), (Lines{"hook before", "control", "hook after"}));
    auto idle = std::make_unique<TElHook>();
    idle->SetControl(&a);
    EXPECT_FALSE(idle->Active());
}

// Handlers that remove, destroy or add hooks while an event is offered.
TEST(WindowHooks, HandlersMayChangeTheHooksOfTheControlTheyWatch) {
    Log log;
    LoggingWidget w(&log);
    auto first = MakeHook(&w, log, "first");
    auto second = MakeHook(&w, log, "second");
    std::unique_ptr<TElHook> third;
    // The second removes the first before the first's turn, and adds a third.
    second->OnBeforeProcess = [&](QObject*, QEvent* e, bool&) {
        if (e->type() != kProbe) return;
        log.lines.push_back("second before");
        first->SetActive(false);
        third = MakeHook(&w, log, "third");
    };
    EXPECT_EQ(Probe(&w, log), (Lines{"second before", "control", "third after", "second after"}));
    // A hook that destroys itself and its neighbour (already offered the event) in its handler.
    TElHook* raw = second.get();
    raw->OnBeforeProcess = [&](QObject*, QEvent* e, bool&) {
        if (e->type() != kProbe) return;
        log.lines.push_back("second goes");
        third.reset();
        second.reset();
    };
    EXPECT_EQ(Probe(&w, log), (Lines{"third before", "second goes", "control"}));
    EXPECT_EQ(Probe(&w, log), (Lines{"control"}));
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

TEST(WindowHooks, TheQuitEventIsOfferedOnlyAfterTheControlsHandling) {
    Log log;
    LoggingWidget w(&log);
    auto hook = MakeWatcher(&w, log, QEvent::Quit, "quit");
    QEvent quit(QEvent::Quit);
    QCoreApplication::sendEvent(&w, &quit);
    EXPECT_EQ(log.lines, (Lines{"quit after"}));
}

// An event filter of someone else's, installed on the control.
class LoggingFilter : public QObject {
public:
    LoggingFilter(Log* log, std::string name, bool swallow = false) : log_(log), name_(std::move(name)), swallow_(swallow) {}

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != kProbe) return false;
        log_->lines.push_back(name_);
        return swallow_;
    }

private:
    Log* log_;
    std::string name_;
    bool swallow_;
};

// The control's own handling is all Qt would do without the hook: the filters installed on it
// before the hook run inside that handling, and may end it, and the hook sees the event after.
TEST(WindowHooks, FiltersInstalledBeforeTheHookRunWithinTheControlsHandling) {
    struct Case {
        bool swallow;
        Lines expected;
    } cases[] = {
        {false, {"hook before", "earlier filter", "control", "hook after"}},
        {true, {"hook before", "earlier filter", "hook after"}},
    };
    for (const auto& c : cases) {
        Log log;
        LoggingWidget w(&log);
        LoggingFilter earlier(&log, "earlier filter", c.swallow);
        w.installEventFilter(&earlier);
        auto hook = MakeHook(&w, log, "hook");
        EXPECT_EQ(Probe(&w, log), c.expected) << c.swallow;
        // A filter installed later runs within the hook too, from its next event on.
        LoggingFilter later(&log, "later filter");
        w.installEventFilter(&later);
        Probe(&w, log);
        EXPECT_EQ(Probe(&w, log), (c.swallow ? Lines{"hook before", "later filter", "earlier filter", "hook after"}
                                             : Lines{"hook before", "later filter", "earlier filter", "control",
                                                     "hook after"}));
        hook->SetActive(false);
        EXPECT_EQ(Probe(&w, log), (c.swallow ? Lines{"later filter", "earlier filter"}
                                             : Lines{"later filter", "earlier filter", "control"}));
    }
}

// A list's items are painted by the scroll area's own filter on its viewport: hooking the
// viewport leaves the picture as it was, and what a hook paints after comes on top of it.
TEST(WindowHooks, AHookedListViewportPaintsItsItemsAsBefore) {
    QListWidget list;
    list.resize(140, 90);
    for (const char* name : {"Richmond", "Atlanta", "Nashville", "Vicksburg"}) list.addItem(QString::fromLatin1(name));
    list.setCurrentRow(1);
    const QImage plain = list.grab().toImage();
    int dark = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            if (qGray(plain.pixel(x, y)) < 100) ++dark;
    ASSERT_GT(dark, 50);  // the item texts are there to compare
    TElHook hook;
    hook.SetControl(list.viewport());
    hook.SetActive(true);
    EXPECT_EQ(list.grab().toImage(), plain);
    hook.OnAfterProcess = [&list](QObject*, QEvent* e, bool&) {
        if (e->type() != QEvent::Paint) return;
        QPainter p(list.viewport());
        p.fillRect(0, 0, 6, list.viewport()->height(), Qt::red);
    };
    const QImage painted = list.grab().toImage();
    const QPoint stripe = list.viewport()->mapTo(&list, QPoint(2, 5));
    EXPECT_EQ(QColor(painted.pixel(stripe)), QColor(Qt::red));
    int differing = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            if (painted.pixel(x, y) != plain.pixel(x, y)) ++differing;
    EXPECT_EQ(differing, 6 * list.viewport()->height());
    kvt::testing::SaveScreenshot(&list, QStringLiteral("hooked_list_viewport"));
}

// A parent that counts what its children leave to it.
class CountingParent : public QWidget {
public:
    int presses = 0, keys = 0, tips = 0;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        ++presses;
        e->ignore();
    }
    void keyPressEvent(QKeyEvent* e) override {
        ++keys;
        e->ignore();
    }
    bool event(QEvent* e) override {
        if (e->type() == QEvent::ToolTip) {
            ++tips;
            e->ignore();
            return true;
        }
        return QWidget::event(e);
    }
};

// A child that takes input or leaves it.
class InputChild : public QWidget {
public:
    InputChild(QWidget* parent, bool takes) : QWidget(parent), takes_(takes) { setFocusPolicy(Qt::StrongFocus); }

protected:
    void mousePressEvent(QMouseEvent* e) override { e->setAccepted(takes_); }
    void keyPressEvent(QKeyEvent* e) override { e->setAccepted(takes_); }
    bool event(QEvent* e) override {
        if (e->type() == QEvent::ToolTip) {
            e->setAccepted(takes_);
            return true;
        }
        return QWidget::event(e);
    }

private:
    bool takes_;
};

// Input a hooked child leaves reaches its parent once, as without the hook, and what the child
// takes never does; the hooks see it after the child either way.
TEST(WindowHooks, InputAHookedChildLeavesReachesItsParentOnce) {
    for (bool takes : {false, true}) {
        SCOPED_TRACE(takes);
        CountingParent parent;
        parent.resize(100, 60);
        InputChild child(&parent, takes);
        child.setGeometry(10, 10, 40, 30);
        Log log;
        TElHook hook;
        hook.OnAfterProcess = [&log](QObject*, QEvent* e, bool&) {
            if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::KeyPress || e->type() == QEvent::ToolTip)
                log.lines.push_back(e->isAccepted() ? "taken" : "left");
        };
        hook.SetControl(&child);
        hook.SetActive(true);
        QTest::mousePress(&child, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(&child, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::keyClick(&child, Qt::Key_F7);
        QHelpEvent tip(QEvent::ToolTip, QPoint(5, 5), child.mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(&child, &tip);
        const int expected = takes ? 0 : 1;
        EXPECT_EQ(parent.presses, expected);
        EXPECT_EQ(parent.keys, expected);
        EXPECT_EQ(parent.tips, expected);
        const std::string answer = takes ? "taken" : "left";
        EXPECT_EQ(log.lines, (Lines{answer, answer, answer}));
    }
}

// When the program ends the records of controls still alive are freed: each control gets its own
// handling back and its hooks let go of it.
TEST(WindowHooks, TheProgramsEndFreesTheRecordsOfLiveControls) {
    Log log;
    LoggingWidget w(&log);
    auto hook = MakeHook(&w, log, "hook");
    ASSERT_NE(TElHookList::Existing(), nullptr);
    TElHookList::FreeAll();
    EXPECT_EQ(TElHookList::Existing(), nullptr);
    EXPECT_EQ(Probe(&w, log), (Lines{"control"}));
    EXPECT_FALSE(hook->Active());
    EXPECT_EQ(hook->Control(), nullptr);
    hook.reset();  // after the list is gone
    // A hook activated later starts a new list.
    auto again = MakeHook(&w, log, "again");
    EXPECT_EQ(TElHookList::Instance().Count(), 1u);
    EXPECT_EQ(Probe(&w, log), (Lines{"again before", "control", "again after"}));
}

}  // namespace
}  // namespace kvt::gui
