#include "platform/qt/timer_source.h"

#include <QTimerEvent>
#include <algorithm>
#include <limits>

namespace zelvorn {

TQtTimerSource::~TQtTimerSource() {
  for (const auto& [id, timer] : timers_) killTimer(id);
}

// Precise timers: the one-second clocks count whole seconds, and coarse timers may drift by up
// to 5 % of their interval.
std::uintptr_t TQtTimerSource::StartTimer(TTimer& timer, std::uint32_t interval_ms) {
  // Qt takes a signed interval; longer ones than it can hold wait as long as it can.
  const int interval =
      static_cast<int>(std::min<std::uint32_t>(interval_ms, std::numeric_limits<int>::max()));
  const int id = startTimer(interval, Qt::PreciseTimer);
  if (id == 0) return 0;
  timers_[id] = &timer;
  return static_cast<std::uintptr_t>(id);
}

void TQtTimerSource::StopTimer(std::uintptr_t id) {
  const int qt_id = static_cast<int>(id);
  killTimer(qt_id);
  timers_.erase(qt_id);
}

void TQtTimerSource::timerEvent(QTimerEvent* event) {
  const auto found = timers_.find(event->timerId());
  if (found == timers_.end()) return;
  found->second->Tick(static_cast<std::uintptr_t>(event->timerId()));
}

}  // namespace zelvorn
