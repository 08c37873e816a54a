#include "platform/timer.h"

#include <QTimerEvent>
#include <algorithm>
#include <limits>

#include "platform/error_boundary.h"
#include "platform/exceptions.h"
#include "platform/messages.h"

namespace zelvorn {
namespace {

// Precise timers: the one-second clocks count whole seconds, and coarse timers may drift by up
// to 5 % of their interval.
class TQtTimerSource final : public ITimerSource {
 public:
  int StartTimer(QObject& receiver, int interval_ms) override {
    return receiver.startTimer(interval_ms, Qt::PreciseTimer);
  }
  void StopTimer(QObject& receiver, int id) override { receiver.killTimer(id); }
};

TQtTimerSource qt_timer_source;
ITimerSource* current_timer_source = &qt_timer_source;

}  // namespace

TScopedTimerSource::TScopedTimerSource(ITimerSource& source) : previous_(current_timer_source) {
  current_timer_source = &source;
}

TScopedTimerSource::~TScopedTimerSource() { current_timer_source = previous_; }

TTimer::TTimer(QObject* owner) : QObject(owner) {}

TTimer::~TTimer() { StopPlatformTimer(); }

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  UpdateTimer();
}

void TTimer::SetInterval(std::uint32_t interval) {
  if (interval == interval_) return;
  interval_ = interval;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  StopPlatformTimer();
  if (!enabled_ || interval_ == 0) return;
  // Qt takes a signed interval; longer ones than it can hold wait as long as it can.
  const int interval_ms =
      static_cast<int>(std::min<std::uint32_t>(interval_, std::numeric_limits<int>::max()));
  source_ = current_timer_source;
  timer_id_ = source_->StartTimer(*this, interval_ms);
  if (timer_id_ == 0) {
    // Reporting "on" for a timer that never ticks would also make the next attempt a no-op.
    enabled_ = false;
    throw EOutOfResources(messages::kOutOfTimers);
  }
}

void TTimer::StopPlatformTimer() {
  if (timer_id_ == 0) return;
  source_->StopTimer(*this, timer_id_);
  timer_id_ = 0;
}

void TTimer::timerEvent(QTimerEvent* event) {
  if (event->timerId() != timer_id_ || timer_id_ == 0) {
    QObject::timerEvent(event);
    return;
  }
  // A failed tick is reported and the timer goes on: the next tick may well succeed.
  Guarded([this] {
    if (OnTimer) OnTimer();
  });
}

}  // namespace zelvorn
