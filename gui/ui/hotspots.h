// Timer-driven screen-edge hotspots: while the cursor rests inside a hotspot's rectangle, each
// tick raises OnInHotspot on the main thread, and the main window scrolls the map.
// TBI_Timer's clock is a worker thread that waits (interruptibly) for its interval and then hands
// the tick to the main thread, waiting until it has run; destruction cancels both waits, so no
// tick arrives once destruction has begun and nothing waits on a thread that is going away.
// Tests give a hotspot a clock and a cursor of their own.
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

#include <functional>
#include <memory>

#include "gui/ui/repeat_timer.h"

namespace kvt::gui {

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };
enum THotSpotArea { hsaClient, hsaScreen };

class TBI_TimerWorker;

class TBI_Timer : public QObject {
    Q_OBJECT
public:
    // Ticks come from a worker thread, or, given a factory, from its repeat timers.
    explicit TBI_Timer(QObject* owner = nullptr, TElRepeatTimerFactory tickSource = nullptr);
    ~TBI_Timer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned value);
    TThreadPriority ThreadPriority() const { return priority_; }
    void SetThreadPriority(TThreadPriority value);
    // Assigning (or clearing) the handler always re-decides whether the worker runs.
    void SetOnTimer(std::function<void(TBI_Timer*)> handler);
    bool HasOnTimer() const { return static_cast<bool>(onTimer_); }
    // True while the worker runs (interval not 0, enabled, a handler assigned).
    bool WorkerRunning() const;
    // The tick on the main thread.
    void DoTimer();

private:
    void UpdateTimer();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    TThreadPriority priority_ = tpNormal;
    std::function<void(TBI_Timer*)> onTimer_;
    std::unique_ptr<TBI_TimerWorker> worker_;
};

class TBI_Hotspot : public QObject {
    Q_OBJECT
public:
    explicit TBI_Hotspot(QObject* owner = nullptr, TElRepeatTimerFactory tickSource = nullptr);
    ~TBI_Hotspot() override;

    int RectLeft = 0;
    int RectTop = 0;
    int RectRight = 100;
    int RectBottom = 100;
    THotSpotArea Area = hsaScreen;
    void SetRect(const QRect& edges);  // left, top, right, bottom as given (right/bottom inclusive)

    bool Active() const { return active_; }
    void SetActive(bool value);
    int Interval() const { return interval_; }
    // A negative interval is taken as 0 (no ticks).
    void SetInterval(int value);
    TThreadPriority ThreadPriority() const { return priority_; }
    void SetThreadPriority(TThreadPriority value);
    TBI_Timer* Timer() const { return timer_; }

    // Strictly inside on all four sides: a point on an edge is outside.
    bool PointInHotspotRect(QPoint p) const;
    // The tick: tests the cursor and raises the events.
    void CheckCursor();
    // Where the cursor is read (the screen cursor unless a test gives its own).
    void SetCursorSource(std::function<QPoint()> source) { cursor_ = std::move(source); }

signals:
    void OnInHotspot(QPoint Mouseposition);
    void OnEnter(QPoint Mouseposition);
    void OnLeave(QPoint Mouseposition);

private:
    QPoint ReadCursor() const;

    bool active_ = false;
    int interval_ = 55;
    TThreadPriority priority_ = tpIdle;
    QPoint last_{-1, -1};
    TBI_Timer* timer_;
    std::function<QPoint()> cursor_;
};

// The four edge strips of the main window (its rectangle in screen coordinates), 10 pixels deep,
// as RectLeft/Top/Right/Bottom: top, bottom, left, right. On a 1024 x 768 window at (0, 0) they
// are (10,0,1013,10), (10,747,1013,767), (0,10,10,758) and (1013,10,1023,758).
struct TEdgeHotspotRects {
    QRect Top, Bottom, Left, Right;  // QRect(left, top) to (right, bottom) inclusive
};
TEdgeHotspotRects EdgeHotspotRects(const QRect& window);

}  // namespace kvt::gui
