#pragma once

#include <QObject>
#include <cstdint>
#include <map>

#include "platform/timer.h"

class QTimerEvent;

namespace zelvorn {

// Timers on Qt's event loop: each one a precise Qt timer of this object, whose ticks it hands to
// the TTimer that started it. Install it with TScopedTimerSource.
class TQtTimerSource final : public QObject, public ITimerSource {
 public:
  TQtTimerSource() = default;
  ~TQtTimerSource() override;

  std::uintptr_t StartTimer(TTimer& timer, std::uint32_t interval_ms) override;
  void StopTimer(std::uintptr_t id) override;

 protected:
  void timerEvent(QTimerEvent* event) override;

 private:
  std::map<int, TTimer*> timers_;
};

}  // namespace zelvorn
