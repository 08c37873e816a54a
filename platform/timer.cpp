#include "platform/timer.h"

#include "platform/error_boundary.h"
#include "platform/exceptions.h"
#include "platform/messages.h"

namespace zelvorn {
namespace {

ITimerSource* current_timer_source = nullptr;

}  // namespace

TScopedTimerSource::TScopedTimerSource(ITimerSource& source) : previous_(current_timer_source) {
  current_timer_source = &source;
}

TScopedTimerSource::~TScopedTimerSource() { current_timer_source = previous_; }

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
  source_ = current_timer_source;
  timer_id_ = source_ != nullptr ? source_->StartTimer(*this, interval_) : 0;
  if (timer_id_ == 0) {
    // Reporting "on" for a timer that never ticks would also make the next attempt a no-op.
    enabled_ = false;
    throw EOutOfResources(messages::kOutOfTimers);
  }
}

void TTimer::StopPlatformTimer() {
  if (timer_id_ == 0) return;
  source_->StopTimer(timer_id_);
  timer_id_ = 0;
}

void TTimer::Tick(std::uintptr_t id) noexcept {
  if (id == 0 || id != timer_id_) return;
  // A failed tick is reported and the timer goes on: the next tick may well succeed.
  Guarded([this] {
    if (OnTimer) OnTimer();
  });
}

}  // namespace zelvorn
