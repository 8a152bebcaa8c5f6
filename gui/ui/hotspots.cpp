// The hotspot timer's worker and the cursor test.
#include "gui/ui/hotspots.h"

#include <QCursor>
#include <QMetaObject>
#include <QPointer>
#include <QThread>
#include <QWidget>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace kvt::gui {

// Suspends, resumes and stops the source of ticks; every call comes from the main thread.
class TBI_TimerWorker {
public:
    virtual ~TBI_TimerWorker() = default;
    virtual void Suspend() = 0;
    virtual void Resume(unsigned intervalMs, TThreadPriority priority) = 0;
    virtual bool Running() const = 0;
};

namespace {

QThread::Priority QtPriority(TThreadPriority p) {
    switch (p) {
        case tpIdle: return QThread::IdlePriority;
        case tpLowest: return QThread::LowestPriority;
        case tpLower: return QThread::LowPriority;
        case tpNormal: return QThread::NormalPriority;
        case tpHigher: return QThread::HighPriority;
        case tpHighest: return QThread::HighestPriority;
        case tpTimeCritical: return QThread::TimeCriticalPriority;
    }
    return QThread::NormalPriority;
}

// A thread that waits for its interval and hands each tick to the main thread, waiting until it
// has run; both waits end at once when the worker is stopped.
class ThreadWorker final : public TBI_TimerWorker, public QThread {
public:
    ThreadWorker(TBI_Timer* timer, unsigned intervalMs) : timer_(timer), interval_(intervalMs) {}
    ~ThreadWorker() override {
        {
            std::lock_guard<std::mutex> lk(m_);
            stop_ = true;
        }
        cv_.notify_all();
        wait();
    }
    void Suspend() override {
        std::lock_guard<std::mutex> lk(m_);
        resumed_ = false;
    }
    void Resume(unsigned intervalMs, TThreadPriority priority) override {
        {
            std::lock_guard<std::mutex> lk(m_);
            interval_ = intervalMs;
            resumed_ = true;
        }
        if (!isRunning()) start();
        setPriority(QtPriority(priority));
        cv_.notify_all();
    }
    bool Running() const override {
        std::lock_guard<std::mutex> lk(m_);
        return resumed_ && !stop_;
    }

protected:
    void run() override {
        std::unique_lock<std::mutex> lk(m_);
        while (!stop_) {
            cv_.wait(lk, [&] { return stop_ || (resumed_ && interval_ > 0); });
            if (stop_) return;
            // A sleep keeps its length across a suspension; one that ran out while suspended
            // ticks as soon as the worker resumes.
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(interval_);
            for (;;) {
                cv_.wait_until(lk, deadline, [&] { return stop_ || !resumed_; });
                if (stop_) return;
                if (resumed_) break;
                cv_.wait(lk, [&] { return stop_ || resumed_; });
                if (stop_) return;
                if (std::chrono::steady_clock::now() >= deadline) break;
            }
            const unsigned long long ticket = ++issued_;
            lk.unlock();
            // Queued on the timer itself: a timer destroyed meanwhile drops the call.
            QMetaObject::invokeMethod(
                timer_,
                [this, ticket]() {
                    timer_->DoTimer();
                    {
                        std::lock_guard<std::mutex> g(m_);
                        done_ = ticket;
                    }
                    cv_.notify_all();
                },
                Qt::QueuedConnection);
            lk.lock();
            // Ticks never queue: the next sleep begins once this one has run (or is cancelled).
            cv_.wait(lk, [&] { return stop_ || done_ >= ticket; });
        }
    }

private:
    TBI_Timer* timer_;
    mutable std::mutex m_;
    std::condition_variable cv_;
    unsigned interval_;
    bool resumed_ = true;
    bool stop_ = false;
    unsigned long long issued_ = 0;
    unsigned long long done_ = 0;
};

// Ticks from a repeat timer of the caller's choice (a test's clock).
class RepeatWorker final : public TBI_TimerWorker {
public:
    RepeatWorker(TBI_Timer* timer, const TElRepeatTimerFactory& factory) : timer_(factory()) {
        timer_->OnTimer = [timer]() { timer->DoTimer(); };
    }
    void Suspend() override {
        timer_->Stop();
        running_ = false;
    }
    void Resume(unsigned intervalMs, TThreadPriority) override {
        if (running_ && intervalMs == interval_) return;
        interval_ = intervalMs;
        timer_->Start(static_cast<int>(intervalMs));
        running_ = true;
    }
    bool Running() const override { return running_; }

private:
    std::unique_ptr<TElRepeatTimer> timer_;
    unsigned interval_ = 0;
    bool running_ = false;
};

}  // namespace

TBI_Timer::TBI_Timer(QObject* owner, TElRepeatTimerFactory tickSource) : QObject(owner) {
    if (tickSource) {
        worker_ = std::make_unique<RepeatWorker>(this, tickSource);
        worker_->Resume(interval_, priority_);
    } else {
        auto* w = new ThreadWorker(this, interval_);
        worker_.reset(w);
        w->Resume(interval_, priority_);
    }
}

TBI_Timer::~TBI_Timer() {
    enabled_ = false;
    UpdateTimer();
    worker_.reset();  // stops the worker and cancels a hand-over in progress
}

void TBI_Timer::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    UpdateTimer();
}

void TBI_Timer::SetInterval(unsigned value) {
    if (value > 2147483647u) value = 2147483647u;
    if (value == interval_) return;
    interval_ = value;
    UpdateTimer();
}

void TBI_Timer::SetThreadPriority(TThreadPriority value) { priority_ = value; }

void TBI_Timer::SetOnTimer(std::function<void(TBI_Timer*)> handler) {
    onTimer_ = std::move(handler);
    UpdateTimer();
}

bool TBI_Timer::WorkerRunning() const { return worker_ && worker_->Running(); }

void TBI_Timer::UpdateTimer() {
    if (!worker_) return;
    worker_->Suspend();
    if (interval_ != 0 && enabled_ && onTimer_) worker_->Resume(interval_, priority_);
}

void TBI_Timer::DoTimer() {
    if (enabled_ && onTimer_) onTimer_(this);
}

TBI_Hotspot::TBI_Hotspot(QObject* owner, TElRepeatTimerFactory tickSource)
    : QObject(owner), timer_(new TBI_Timer(this, std::move(tickSource))) {
    timer_->SetInterval(55);
    timer_->SetThreadPriority(tpIdle);
    timer_->SetEnabled(false);
    timer_->SetOnTimer([this](TBI_Timer*) { CheckCursor(); });
}

TBI_Hotspot::~TBI_Hotspot() {
    timer_->SetEnabled(false);
    delete timer_;
    timer_ = nullptr;
}

void TBI_Hotspot::SetRect(const QRect& edges) {
    RectLeft = edges.left();
    RectTop = edges.top();
    RectRight = edges.right();
    RectBottom = edges.bottom();
}

void TBI_Hotspot::SetActive(bool value) {
    if (value == active_) return;
    active_ = value;
    timer_->SetEnabled(value);
}

void TBI_Hotspot::SetInterval(int value) {
    if (value < 0) value = 0;  // a negative interval would read as a sleep of weeks
    if (value == interval_) return;
    timer_->SetEnabled(false);
    timer_->SetInterval(static_cast<unsigned>(value));
    interval_ = value;
    timer_->SetEnabled(active_);
}

void TBI_Hotspot::SetThreadPriority(TThreadPriority value) {
    if (value == priority_) return;
    timer_->SetEnabled(false);
    timer_->SetThreadPriority(value);
    priority_ = value;
    timer_->SetEnabled(active_);
}

bool TBI_Hotspot::PointInHotspotRect(QPoint p) const {
    return RectLeft < p.x() && p.x() < RectRight && RectTop < p.y() && p.y() < RectBottom;
}

QPoint TBI_Hotspot::ReadCursor() const {
    QPoint p = cursor_ ? cursor_() : QCursor::pos();
    if (Area == hsaClient)
        if (auto* w = qobject_cast<QWidget*>(parent())) p = w->mapFromGlobal(p);
    return p;
}

void TBI_Hotspot::CheckCursor() {
    if (!active_) return;
    const QPoint p = ReadCursor();
    if (PointInHotspotRect(p)) {
        const QPointer<TBI_Hotspot> self(this);
        emit OnInHotspot(p);
        if (!self) return;
        if (!PointInHotspotRect(last_)) emit OnEnter(p);
        if (!self) return;
    } else if (PointInHotspotRect(last_)) {
        const QPointer<TBI_Hotspot> self(this);
        emit OnLeave(p);
        if (!self) return;
    }
    last_ = ReadCursor();
}

TEdgeHotspotRects EdgeHotspotRects(const QRect& w) {
    const int l = w.left(), t = w.top(), r = w.right(), b = w.bottom();
    TEdgeHotspotRects e;
    e.Top = QRect(QPoint(l + 10, t), QPoint(r - 10, t + 10));
    e.Bottom = QRect(QPoint(l + 10, b - 20), QPoint(r - 10, b));
    e.Left = QRect(QPoint(l, t + 10), QPoint(l + 10, b - 9));
    e.Right = QRect(QPoint(r - 10, t + 10), QPoint(r, b - 9));
    return e;
}

}  // namespace kvt::gui
