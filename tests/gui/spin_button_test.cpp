// The spin buttons beside the dialogs' values: which part fires, how a held part repeats, that a
// hold ends when its button goes away, and the drag line.
#include <gtest/gtest.h>

#include <QPainter>
#include <QTest>
#include <QWheelEvent>

#include "gui/platform/message_box.h"
#include "gui/ui/spin_button.h"
#include "tests/gui/control_event_checks.h"
#include "tests/gui/gui_support.h"
#include "tests/gui/manual_clock.h"

namespace kvt::gui {
namespace {

// A value beside its spin button, as the dialogs hold them.
struct SpinFixture {
    SpinFixture() {
        parent.resize(60, 40);
        spin = new TElSpinButton(&parent);
        spin->setGeometry(10, 10, 16, 16);
        spin->SetTimerFactory(clock.Factory());
        QObject::connect(spin, &TElSpinButton::OnUpClick, [this](double d) {
            events.push_back(clock.now);
            ++value;
            distances.push_back(d);
        });
        QObject::connect(spin, &TElSpinButton::OnDownClick, [this](double d) {
            events.push_back(clock.now);
            --value;
            distances.push_back(d);
        });
        parent.show();
    }
    QWidget parent;
    TElSpinButton* spin;
    kvt::testing::ManualClock clock;
    std::vector<int> events;
    std::vector<double> distances;
    int value = 0;
};

TEST(SpinButton, EachRowFiresItsPartOnce) {
    for (int row = 0; row < 16; ++row) {
        SpinFixture f;
        f.spin->SetUseDrag(false);
        QTest::mouseClick(f.spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, row));
        const int expected = row <= 7 ? 1 : (row <= 9 ? 0 : -1);
        EXPECT_EQ(f.value, expected) << "row " << row;
        EXPECT_EQ(f.events.size(), row == 8 || row == 9 ? 0u : 1u) << "row " << row;
        EXPECT_FALSE(f.spin->Repeating());
    }
    SpinFixture lr;
    lr.spin->SetButtonType(sbtLeftRight);
    QTest::mouseClick(lr.spin, Qt::LeftButton, Qt::NoModifier, QPoint(2, 8));
    EXPECT_EQ(lr.value, -1);  // the left part lowers
    QTest::mouseClick(lr.spin, Qt::LeftButton, Qt::NoModifier, QPoint(14, 8));
    QTest::mouseClick(lr.spin, Qt::LeftButton, Qt::NoModifier, QPoint(13, 8));
    EXPECT_EQ(lr.value, 1);
}

TEST(SpinButton, HeldPartRepeatsAfter400ThenEvery100UntilRelease) {
    SpinFixture f;
    QTest::mousePress(f.spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, 12));
    EXPECT_TRUE(f.spin->DownPressed());
    f.clock.Advance(300);
    QTest::mouseMove(f.spin, QPoint(40, 40));  // leaving the button does not stop the repeat
    f.clock.Advance(750);
    EXPECT_EQ(f.events, (std::vector<int>{0, 400, 500, 600, 700, 800, 900, 1000}));
    EXPECT_EQ(f.value, -8);
    QTest::mouseRelease(f.spin, Qt::LeftButton, Qt::NoModifier, QPoint(40, 40));
    EXPECT_FALSE(f.spin->Repeating());
    EXPECT_FALSE(f.spin->DownPressed());
    f.clock.Advance(1000);
    EXPECT_EQ(f.value, -8);
}

TEST(SpinButton, HoldEndsWhenItsButtonIsHiddenDisabledOrLosesTheMouse) {
    const struct {
        const char* what;
        int stopAt;  // the value at which the handler acts
        int expected;
    } cases[] = {{"hide", 2, 2}, {"disable", 2, 2}, {"hide", 1, 1}, {"grab", 3, 3}};
    for (const auto& c : cases) {
        SpinFixture f;
        QWidget thief(&f.parent);
        thief.setGeometry(40, 0, 10, 10);
        thief.show();
        const std::string what = c.what;
        const int stopAt = c.stopAt;
        QObject::connect(f.spin, &TElSpinButton::OnUpClick, [&]() {
            if (f.value != stopAt) return;
            if (what == "hide") f.spin->hide();
            if (what == "disable") f.spin->setEnabled(false);
            if (what == "grab") thief.grabMouse();
        });
        QTest::mousePress(f.spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, 3));
        f.clock.Advance(2000);
        EXPECT_EQ(f.value, c.expected) << c.what << " at " << c.stopAt;
        EXPECT_FALSE(f.spin->Repeating()) << c.what;
        if (what == "grab") thief.releaseMouse();
    }
}

// The handler asks a question (a message box) at the press or at the first repeat: the player
// releases the button to answer, so the hold is over and no repeat fires while the box is open.
TEST(SpinButton, AHoldEndsWhenItsHandlerOpensAModalDialog) {
    for (const int askAt : {1, 2}) {
        SpinFixture f;
        int repeatsWhileOpen = -1;
        bool grabbedWhileOpen = true, heldWhileOpen = true;
        QObject::connect(f.spin, &TElSpinButton::OnUpClick, [&]() {
            if (f.value != askAt) return;
            kvt::testing::WhenModalShows([&](QWidget* box) {
                const int before = f.value;
                f.clock.Advance(1000);  // the player takes a second to read
                repeatsWhileOpen = f.value - before;
                grabbedWhileOpen = QWidget::mouseGrabber() == f.spin;
                heldWhileOpen = f.spin->Repeating() || f.spin->UpPressed();
                QTest::keyClick(box, Qt::Key_Return);
            });
            ShowConfirmBox(&f.parent, QStringLiteral("Add a level of fortification?"));
        });
        QTest::mousePress(f.spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, 3));
        f.clock.Advance(2000);
        EXPECT_EQ(repeatsWhileOpen, 0) << askAt;
        EXPECT_FALSE(grabbedWhileOpen) << askAt;
        EXPECT_FALSE(heldWhileOpen) << askAt;
        EXPECT_EQ(f.value, askAt) << askAt;
        EXPECT_FALSE(f.spin->Repeating()) << askAt;
        int clicks = 0;
        QObject::connect(f.spin, &TElSpinButton::OnClick, [&]() { ++clicks; });
        QTest::mouseRelease(f.spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, 3));
        EXPECT_EQ(f.value, askAt) << askAt;
        EXPECT_EQ(clicks, 0) << askAt;  // the press's release went to the box
    }
}

TEST(SpinButton, TheClassLibrarysEventsComeBeforeTheSpinButtonsOwn) {
    std::vector<std::string> log, keys;
    SpinFixture f;
    QObject::connect(f.spin, &TElSpinButton::OnMouseDown, [&](Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
        log.push_back("down " + std::to_string(x) + "," + std::to_string(y) + (f.spin->UpPressed() ? " held" : ""));
    });
    QObject::connect(f.spin, &TElSpinButton::OnUpClick, [&]() { log.push_back("up"); });
    QObject::connect(f.spin, &TElSpinButton::OnMouseMove, [&](Qt::KeyboardModifiers, int x, int) {
        log.push_back("move " + std::to_string(x));
    });
    QObject::connect(f.spin, &TElSpinButton::OnMouseUp, [&](Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        log.push_back(std::string("mouse up") + (f.spin->UpPressed() ? " held" : ""));
    });
    QObject::connect(f.spin, &TElSpinButton::OnClick, [&]() { log.push_back("click"); });
    QObject::connect(f.spin, &TElSpinButton::OnDblClick, [&]() { log.push_back("double"); });
    QTest::mouseClick(f.spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, 3));
    EXPECT_EQ(log, (std::vector<std::string>{"down 8,3", "up", "click", "mouse up held"}));

    log.clear();
    QTest::mousePress(f.spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, 3));
    QTest::mouseMove(f.spin, QPoint(30, 3));
    QTest::mouseRelease(f.spin, Qt::LeftButton, Qt::NoModifier, QPoint(30, 3));
    EXPECT_EQ(log, (std::vector<std::string>{"down 8,3", "up", "move 30", "mouse up held"}));  // outside: no click

    log.clear();
    QTest::mouseClick(f.spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, 3));
    QTest::mouseDClick(f.spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, 3));
    QTest::mouseRelease(f.spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, 3));
    // The second press of a double click holds the part again, but is no second click.
    EXPECT_EQ(log, (std::vector<std::string>{"down 8,3", "up", "click", "mouse up held", "double", "down 8,3", "up",
                                             "mouse up held"}));
    EXPECT_FALSE(f.spin->Repeating());

    kvt::testing::LogLibraryEvents(f.spin, keys);  // Q swallowed: no key press follows
    QFocusEvent in(QEvent::FocusIn);
    QApplication::sendEvent(f.spin, &in);
    QTest::keyClick(f.spin, Qt::Key_A);
    QTest::keyClick(f.spin, Qt::Key_Q);
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(f.spin, &out);
    EXPECT_EQ(keys, (std::vector<std::string>{"enter", "key down 65", "key press a", "key up 65", "key down 81",
                                              "key up 81", "exit"}));

    // Dragging something over the spin button asks its handler, as on every control.
    EXPECT_EQ(kvt::testing::DragOverAndDrop(f.spin), kvt::testing::DragOverAndDropLog());
    EXPECT_TRUE(f.spin->acceptDrops());
}

TEST(SpinButton, ClicksCarryTheIncrementAndTheDragLineReportsADistance) {
    SpinFixture f;
    QTest::mouseClick(f.spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, 2));
    f.spin->SetIncrement(2.5);
    QTest::mouseClick(f.spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, 14));
    EXPECT_EQ(f.distances, (std::vector<double>{0.0, 2.5}));

    std::vector<double> drags;
    double start = -1;
    QObject::connect(f.spin, &TElSpinButton::OnSpinDrag, [&](double d) { drags.push_back(d); });
    QObject::connect(f.spin, &TElSpinButton::OnSpinStart, [&](double* initial) { start = *initial; });
    f.spin->SetIncrement(2);
    QTest::mouseMove(f.spin, QPoint(8, 8));
    EXPECT_EQ(ScreenCursor(), crSizeNS);
    QTest::mousePress(f.spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
    EXPECT_TRUE(f.spin->Dragging());
    EXPECT_EQ(start, 0.0);
    QTest::mouseMove(f.spin, QPoint(8, 3));
    QTest::mouseRelease(f.spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, 3));
    ASSERT_FALSE(drags.empty());
    EXPECT_EQ(drags.back(), 10.0);  // five pixels up from the line, twice the increment
    EXPECT_FALSE(f.spin->Dragging());
    EXPECT_EQ(ScreenCursor(), crDefault);
    EXPECT_EQ(f.value, 0);  // dragging fired no click
}

TEST(SpinButton, WheelGoesOnToTheParent) {
    struct Parent : QWidget {
        void wheelEvent(QWheelEvent* e) override {
            ++wheels;
            e->accept();
        }
        int wheels = 0;
    } parent;
    auto* spin = new TElSpinButton(&parent);
    parent.show();
    QWheelEvent wheel(QPointF(4, 4), QPointF(4, 4), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(spin, &wheel);
    EXPECT_EQ(parent.wheels, 1);
}

TEST(SpinButton, DrawsRaisedPartsWithArrowsAndAPressedPart) {
    SpinFixture f;
    QImage up = f.spin->grab().toImage();
    EXPECT_EQ(QColor(up.pixel(7, 3)), ToQColor(clBtnText));   // up arrow tip at (cx, cy - 1)
    EXPECT_EQ(QColor(up.pixel(7, 11)), ToQColor(clBtnText));  // down arrow tip
    EXPECT_EQ(QColor(up.pixel(3, 0)), ToQColor(clBtnHighlight));
    EXPECT_EQ(QColor(up.pixel(15, 3)), ToQColor(cl3DDkShadow));
    QTest::mousePress(f.spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, 3));
    const QImage pressed = f.spin->grab().toImage();
    EXPECT_EQ(QColor(pressed.pixel(3, 0)), ToQColor(cl3DDkShadow));
    QTest::mouseRelease(f.spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, 3));
    f.spin->setEnabled(false);
    const QImage disabled = f.spin->grab().toImage();
    EXPECT_EQ(QColor(disabled.pixel(7, 3)), ToQColor(clBtnShadow));
}

TEST(SpinButton, TheDragLineShowsTheColourTakenFromTheParent) {
    TElWidget host;
    host.SetColor(clNavy);
    host.resize(40, 40);
    kvt::testing::ManualClock clock;
    auto* spin = new TElSpinButton(&host);
    spin->SetTimerFactory(clock.Factory());
    host.show();
    QImage img = spin->grab().toImage();
    EXPECT_EQ(QColor(img.pixel(5, 8)), ToQColor(clNavy));  // the row between the parts
    EXPECT_EQ(QColor(img.pixel(5, 7)), ToQColor(cl3DDkShadow));
    host.SetColor(clTeal);
    EXPECT_EQ(QColor(spin->grab().toImage().pixel(5, 8)), ToQColor(clTeal));
    spin->SetColor(clRed);
    host.SetColor(clGreen);
    EXPECT_EQ(QColor(spin->grab().toImage().pixel(5, 8)), QColor(Qt::red));
}

TEST(SpinButton, APartWhoseArrowIsMarkedDisabledStillFires) {
    SpinFixture f;
    f.spin->SetUpArrowEnabled(false);
    QTest::mouseClick(f.spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, 3));
    EXPECT_EQ(f.value, 1);
}

}  // namespace
}  // namespace kvt::gui
