// A clock that tests advance by hand, and repeat timers that run on it: timing without waiting.
#pragma once

#include <algorithm>
#include <memory>
#include <vector>

#include "gui/ui/repeat_timer.h"

namespace kvt::testing {

class ManualClock {
public:
    class Timer : public kvt::gui::TElRepeatTimer {
    public:
        explicit Timer(ManualClock* clock) : clock_(clock) { clock_->timers_.push_back(this); }
        ~Timer() override {
            if (!clock_) return;
            auto& v = clock_->timers_;
            v.erase(std::remove(v.begin(), v.end(), this), v.end());
        }
        void Start(int ms) override {
            if (!clock_) return;
            running_ = true;
            interval_ = ms;
            due_ = clock_->now + ms;
        }
        void SetInterval(int ms) override {
            interval_ = ms;
            if (running_ && clock_) due_ = clock_->now + ms;
        }
        void Stop() override { running_ = false; }

    private:
        friend class ManualClock;
        ManualClock* clock_;
        bool running_ = false;
        int interval_ = 0;
        int due_ = 0;
    };

    ManualClock() = default;
    ManualClock(const ManualClock&) = delete;
    ManualClock& operator=(const ManualClock&) = delete;
    // A control keeps its timers until it is destroyed itself, which in a test may be after the
    // clock; such timers just never tick again.
    ~ManualClock() {
        for (Timer* t : timers_) {
            t->clock_ = nullptr;
            t->running_ = false;
        }
    }

    kvt::gui::TElRepeatTimerFactory Factory() {
        return [this]() { return std::unique_ptr<kvt::gui::TElRepeatTimer>(new Timer(this)); };
    }

    // Runs every tick that falls due up to now + ms, in time order.
    void Advance(int ms) {
        const int target = now + ms;
        for (;;) {
            Timer* next = nullptr;
            for (Timer* t : timers_)
                if (t->running_ && t->due_ <= target && (!next || t->due_ < next->due_)) next = t;
            if (!next) break;
            now = next->due_;
            next->due_ = now + next->interval_;
            if (next->OnTimer) next->OnTimer();
        }
        now = target;
    }

    int now = 0;

private:
    std::vector<Timer*> timers_;
};

}  // namespace kvt::testing
