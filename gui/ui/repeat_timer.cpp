// Repeat timers on the event loop.
#include "gui/ui/repeat_timer.h"

#include <QTimer>

namespace kvt::gui {
namespace {

class EventLoopTimer final : public TElRepeatTimer {
public:
    EventLoopTimer() {
        QObject::connect(&timer_, &QTimer::timeout, [this]() {
            if (OnTimer) OnTimer();
        });
    }
    void Start(int intervalMs) override { timer_.start(intervalMs); }
    void SetInterval(int intervalMs) override { timer_.setInterval(intervalMs); }
    void Stop() override { timer_.stop(); }

private:
    QTimer timer_;
};

}  // namespace

std::unique_ptr<TElRepeatTimer> MakeEventLoopTimer() { return std::make_unique<EventLoopTimer>(); }

}  // namespace kvt::gui
