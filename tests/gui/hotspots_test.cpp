// Screen-edge hotspots: the strict inside test, the order of their events, ticks from a test
// clock with a test cursor, and the worker thread's start, stop and cancelled hand-over.
#include <gtest/gtest.h>

#include <QTest>

#include <atomic>
#include <chrono>
#include <thread>

#include "gui/ui/hotspots.h"
#include "tests/gui/manual_clock.h"

namespace kvt::gui {
namespace {

TEST(Hotspots, EdgeStripsFollowTheMainWindowAndExcludeTheirEdges) {
    const TEdgeHotspotRects game = EdgeHotspotRects(QRect(0, 0, 1024, 768));
    EXPECT_EQ(game.Top, QRect(QPoint(10, 0), QPoint(1013, 10)));
    EXPECT_EQ(game.Bottom, QRect(QPoint(10, 747), QPoint(1013, 767)));
    EXPECT_EQ(game.Left, QRect(QPoint(0, 10), QPoint(10, 758)));
    EXPECT_EQ(game.Right, QRect(QPoint(1013, 10), QPoint(1023, 758)));
    const TEdgeHotspotRects moved = EdgeHotspotRects(QRect(100, 50, 1022, 722));
    EXPECT_EQ(moved.Right, QRect(QPoint(1111, 60), QPoint(1121, 762)));

    kvt::testing::ManualClock clock;
    TBI_Hotspot top(nullptr, clock.Factory());
    top.SetRect(game.Top);
    const struct {
        int x, y;
        bool inside;
    } points[] = {{11, 1, true},  {1012, 9, true}, {500, 0, false}, {500, 10, false},
                  {10, 5, false}, {1013, 5, false}, {11, 5, true}};
    for (const auto& p : points) EXPECT_EQ(top.PointInHotspotRect(QPoint(p.x, p.y)), p.inside) << p.x << "," << p.y;
    TBI_Hotspot bottom(nullptr, clock.Factory()), right(nullptr, clock.Factory());
    bottom.SetRect(game.Bottom);
    right.SetRect(game.Right);
    EXPECT_FALSE(bottom.PointInHotspotRect(QPoint(500, 767)));
    EXPECT_TRUE(bottom.PointInHotspotRect(QPoint(500, 766)));
    EXPECT_FALSE(right.PointInHotspotRect(QPoint(1023, 400)));
}

// A hotspot on a test clock with a test cursor, recording its events.
struct HotspotFixture {
    HotspotFixture() : spot(nullptr, clock.Factory()) {
        spot.SetRect(QRect(QPoint(10, 0), QPoint(1013, 10)));
        spot.SetCursorSource([this]() { return cursor; });
        QObject::connect(&spot, &TBI_Hotspot::OnInHotspot, [this](QPoint p) { log.push_back("in " + Text(p)); });
        QObject::connect(&spot, &TBI_Hotspot::OnEnter, [this](QPoint p) { log.push_back("enter " + Text(p)); });
        QObject::connect(&spot, &TBI_Hotspot::OnLeave, [this](QPoint p) { log.push_back("leave " + Text(p)); });
    }
    static std::string Text(QPoint p) { return std::to_string(p.x()) + "," + std::to_string(p.y()); }
    kvt::testing::ManualClock clock;
    TBI_Hotspot spot;
    QPoint cursor{500, 400};
    std::vector<std::string> log;
};

TEST(Hotspots, EnterComesAfterTheFirstInsideTickAndLeaveAloneOnTheWayOut) {
    HotspotFixture f;
    f.spot.SetActive(true);
    f.clock.Advance(55);
    EXPECT_TRUE(f.log.empty());
    f.cursor = QPoint(300, 5);
    f.clock.Advance(55);
    f.clock.Advance(55);
    f.cursor = QPoint(300, 40);
    f.clock.Advance(55);
    f.clock.Advance(55);
    EXPECT_EQ(f.log, (std::vector<std::string>{"in 300,5", "enter 300,5", "in 300,5", "leave 300,40"}));
}

TEST(Hotspots, RestingCursorScrollsOneStepPerTickOnlyWhileActive) {
    HotspotFixture f;
    int column = 20;  // the view origin a main window would move
    QObject::connect(&f.spot, &TBI_Hotspot::OnInHotspot, [&](QPoint) { column = std::max(2, column - 1); });
    f.cursor = QPoint(600, 3);
    f.clock.Advance(1000);
    EXPECT_EQ(column, 20);  // never activated: no tick
    f.spot.SetActive(true);
    f.spot.SetActive(true);
    f.clock.Advance(55 * 5);
    EXPECT_EQ(column, 15);
    f.clock.Advance(55 * 40);
    EXPECT_EQ(column, 2);  // the handler keeps the view in bounds
    f.spot.SetActive(false);
    f.clock.Advance(1000);
    EXPECT_FALSE(f.spot.Timer()->WorkerRunning());

    f.spot.SetInterval(30);  // while inactive the timer stays off
    EXPECT_FALSE(f.spot.Timer()->WorkerRunning());
    f.spot.SetInterval(-5);
    EXPECT_EQ(f.spot.Interval(), 0);
    f.spot.SetActive(true);
    EXPECT_FALSE(f.spot.Timer()->WorkerRunning());  // an interval of 0 gives no ticks
}

TEST(Hotspots, ClientAreaUsesTheOwnersCoordinates) {
    QWidget owner;
    owner.move(200, 100);
    owner.resize(300, 200);
    owner.show();
    kvt::testing::ManualClock clock;
    auto* spot = new TBI_Hotspot(&owner, clock.Factory());
    spot->Area = hsaClient;
    spot->SetRect(QRect(QPoint(0, 0), QPoint(50, 50)));
    const QPoint global = owner.mapToGlobal(QPoint(20, 20));
    spot->SetCursorSource([global]() { return global; });
    QPoint seen;
    QObject::connect(spot, &TBI_Hotspot::OnInHotspot, [&](QPoint p) { seen = p; });
    spot->SetActive(true);
    clock.Advance(55);
    EXPECT_EQ(seen, QPoint(20, 20));

    TBI_Hotspot loose(nullptr, clock.Factory());  // no control owns it: screen coordinates
    loose.Area = hsaClient;
    loose.SetRect(QRect(QPoint(0, 0), QPoint(5000, 5000)));
    loose.SetCursorSource([global]() { return global; });
    QObject::connect(&loose, &TBI_Hotspot::OnInHotspot, [&](QPoint p) { seen = p; });
    loose.SetActive(true);
    clock.Advance(55);
    EXPECT_EQ(seen, global);
}

TEST(HotspotTimer, WorkerRunsOnlyWithIntervalEnabledAndHandler) {
    TBI_Timer timer;
    timer.SetEnabled(true);
    timer.SetInterval(5);
    EXPECT_FALSE(timer.WorkerRunning());  // no handler yet
    std::atomic<int> ticks{0};
    timer.SetOnTimer([&](TBI_Timer* sender) {
        EXPECT_EQ(sender, &timer);
        ++ticks;
    });
    EXPECT_TRUE(timer.WorkerRunning());
    EXPECT_TRUE(QTest::qWaitFor([&]() { return ticks >= 3; }, 30000));
    timer.SetInterval(0);
    EXPECT_FALSE(timer.WorkerRunning());
    timer.SetInterval(5);
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.WorkerRunning());
}

TEST(HotspotTimer, DestroyingATimerWhoseTickWaitsForTheMainThreadNeitherHangsNorTicks) {
    for (int round = 0; round < 5; ++round) {
        std::atomic<int> ticks{0};
        auto* timer = new TBI_Timer;
        timer->SetInterval(1);
        timer->SetOnTimer([&](TBI_Timer*) { ++ticks; });
        ASSERT_TRUE(QTest::qWaitFor([&]() { return ticks >= 1; }, 30000));
        // The main thread is busy: the worker's next tick is now waiting for it.
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const int before = ticks;
        delete timer;
        QCoreApplication::processEvents();
        EXPECT_EQ(ticks, before);
    }
}

}  // namespace
}  // namespace kvt::gui
