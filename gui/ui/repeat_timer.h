// The timers of held controls behind a small interface, so tests drive them with a clock of
// their own instead of waiting.
#pragma once

#include <functional>
#include <memory>

class QTimer;

namespace kvt::gui {

class TElRepeatTimer {
public:
    virtual ~TElRepeatTimer() = default;
    virtual void Start(int intervalMs) = 0;
    // Applies from now on: the next tick comes intervalMs after this call.
    virtual void SetInterval(int intervalMs) = 0;
    virtual void Stop() = 0;
    std::function<void()> OnTimer;
};

using TElRepeatTimerFactory = std::function<std::unique_ptr<TElRepeatTimer>()>;

// A timer of the window system's event loop.
std::unique_ptr<TElRepeatTimer> MakeEventLoopTimer();

}  // namespace kvt::gui
