// The spin buttons beside the dialogs' values: which part fires, how a held part repeats, that a
// hold ends when its button goes away, and the drag line.
#include <gtest/gtest.h>

#include <QPainter>
#include <QTest>
#include <QWheelEvent>

#include "gui/ui/spin_button.h"
#include "tests/gui/fake_visual_styles.h"
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

TEST(SpinButton, ThemedPartsDrawThroughTheVisualStyle) {
    kvt::testing::FakeVisualStyles styles;
    SpinFixture f;
    f.spin->SetUpArrowEnabled(false);
    styles.calls.clear();
    f.spin->grab();
    EXPECT_TRUE(styles.calls.contains(QStringLiteral("Background SPIN 1/4")));
    EXPECT_TRUE(styles.calls.contains(QStringLiteral("Background SPIN 2/1")));
    // A part whose arrow is marked disabled still fires.
    QTest::mouseClick(f.spin, Qt::LeftButton, Qt::NoModifier, QPoint(8, 3));
    EXPECT_EQ(f.value, 1);
}

}  // namespace
}  // namespace kvt::gui
