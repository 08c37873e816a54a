#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>
#include <QTimerEvent>
#include <map>
#include <vector>

#include "platform/timer.h"

namespace zelvorn::testing {

// Hands out timer ids without a platform behind them, or refuses them; records what was asked,
// and delivers ticks by hand the way the platform does: as timer events through the application.
// Install it with TScopedTimerSource.
class TFakeTimerSource final : public ITimerSource {
 public:
  struct TRunning {
    QObject* receiver;
    int interval_ms;
  };

  int StartTimer(QObject& receiver, int interval_ms) override {
    starts.push_back(interval_ms);
    if (refuse) return 0;
    running[++last_id] = {&receiver, interval_ms};
    return last_id;
  }
  void StopTimer(QObject& receiver, int id) override {
    EXPECT_EQ(running.at(id).receiver, &receiver);
    stops.push_back(id);
    running.erase(id);
  }

  // One tick of timer `id` at `receiver` (which need not be running: a tick may still be queued
  // when its timer stops).
  static void SendTick(QObject& receiver, int id) {
    QTimerEvent tick(id);
    QCoreApplication::sendEvent(&receiver, &tick);
  }
  // One tick of every timer running at `receiver`.
  void Tick(const QObject& receiver) {
    const std::map<int, TRunning> now = running;  // a tick may start or stop timers
    for (const auto& [id, timer] : now) {
      if (timer.receiver == &receiver) SendTick(*timer.receiver, id);
    }
  }

  bool refuse = false;
  int last_id = 100;
  std::vector<int> starts;  // intervals asked for, in order
  std::vector<int> stops;   // ids stopped, in order
  std::map<int, TRunning> running;
};

}  // namespace zelvorn::testing
