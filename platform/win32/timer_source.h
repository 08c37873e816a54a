#pragma once

#include <cstdint>

#include "platform/timer.h"

namespace zelvorn {

// Timers on Windows' thread timers (SetTimer without a window): their ticks come as WM_TIMER
// messages of the thread's message loop, which DispatchMessageW hands to the timer procedure,
// which ticks the TTimer. The source lives as long as the timers it started.
class TWin32TimerSource final : public ITimerSource {
 public:
  TWin32TimerSource() = default;
  ~TWin32TimerSource() override;
  TWin32TimerSource(const TWin32TimerSource&) = delete;
  TWin32TimerSource& operator=(const TWin32TimerSource&) = delete;

  std::uintptr_t StartTimer(TTimer& timer, std::uint32_t interval_ms) override;
  void StopTimer(std::uintptr_t id) override;
};

}  // namespace zelvorn
