#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <vector>

#include "platform/timer.h"

namespace zelvorn::testing {

// Hands out timer ids without a platform behind them, or refuses them; records what was asked,
// and delivers ticks by hand the way a platform does. Install it with TScopedTimerSource.
class TFakeTimerSource final : public ITimerSource {
 public:
  struct TRunning {
    TTimer* timer;
    std::uint32_t interval_ms;
  };

  std::uintptr_t StartTimer(TTimer& timer, std::uint32_t interval_ms) override {
    starts.push_back(interval_ms);
    if (refuse) return 0;
    running[++last_id] = {&timer, interval_ms};
    return last_id;
  }
  void StopTimer(std::uintptr_t id) override {
    EXPECT_EQ(running.count(id), 1u) << "stopped a timer that was not running: " << id;
    stops.push_back(id);
    running.erase(id);
  }

  // One tick of timer `id` at `timer` (which need not be running: a tick may still be queued
  // when its timer stops).
  static void SendTick(TTimer& timer, std::uintptr_t id) { timer.Tick(id); }
  // One tick of every platform timer running for `timer`.
  void Tick(const TTimer& timer) {
    const std::map<std::uintptr_t, TRunning> now = running;  // a tick may start or stop timers
    for (const auto& [id, entry] : now) {
      if (entry.timer == &timer) SendTick(*entry.timer, id);
    }
  }

  bool refuse = false;
  std::uintptr_t last_id = 100;
  std::vector<std::uint32_t> starts;  // intervals asked for, in order
  std::vector<std::uintptr_t> stops;  // ids stopped, in order
  std::map<std::uintptr_t, TRunning> running;
};

}  // namespace zelvorn::testing
