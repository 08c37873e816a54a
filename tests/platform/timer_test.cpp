#include "platform/timer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <QTimerEvent>
#include <map>
#include <vector>

#include "platform/exceptions.h"

namespace zelvorn {
namespace {

// Hands out timer ids without a platform behind them, or refuses; records what was asked.
class TFakeTimerSource final : public ITimerSource {
 public:
  int StartTimer(QObject& receiver, int interval_ms) override {
    starts.push_back(interval_ms);
    if (refuse) return 0;
    running[++last_id] = &receiver;
    return last_id;
  }
  void StopTimer(QObject& receiver, int id) override {
    EXPECT_EQ(running.at(id), &receiver);
    stops.push_back(id);
    running.erase(id);
  }

  bool refuse = false;
  int last_id = 100;
  std::vector<int> starts;  // intervals
  std::vector<int> stops;   // ids
  std::map<int, QObject*> running;
};

// Delivers a tick the way the platform does: a timer event through the application.
void SendTick(QObject& receiver, int id) {
  QTimerEvent tick(id);
  QCoreApplication::sendEvent(&receiver, &tick);
}

class TimerTest : public ::testing::Test {
 protected:
  TFakeTimerSource source_;
  TScopedTimerSource scope_{source_};
};

TEST_F(TimerTest, ANewTimerIsOffWithOneSecondInterval) {
  TTimer timer;
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 1000u);
  EXPECT_TRUE(source_.starts.empty());
}

TEST_F(TimerTest, SwitchingOnTwiceKeepsThePhaseAndSwitchingOffStops) {
  TTimer timer;
  timer.SetEnabled(true);
  timer.SetEnabled(true);
  EXPECT_EQ(source_.starts, (std::vector<int>{1000}));
  EXPECT_TRUE(source_.stops.empty());
  timer.SetEnabled(false);
  timer.SetEnabled(false);
  EXPECT_EQ(source_.stops, (std::vector<int>{101}));
  EXPECT_TRUE(source_.running.empty());
}

TEST_F(TimerTest, ChangingTheIntervalRestartsOnlyARunningTimer) {
  TTimer timer;
  timer.SetInterval(250);  // off: nothing to restart
  EXPECT_TRUE(source_.starts.empty());
  timer.SetEnabled(true);
  timer.SetInterval(250);  // unchanged
  timer.SetInterval(60);
  EXPECT_EQ(source_.starts, (std::vector<int>{250, 60}));
  EXPECT_EQ(source_.stops, (std::vector<int>{101}));
  timer.SetInterval(0);  // on, but never ticks
  EXPECT_TRUE(timer.Enabled());
  EXPECT_TRUE(source_.running.empty());
  timer.SetInterval(10);
  EXPECT_EQ(source_.starts, (std::vector<int>{250, 60, 10}));
}

TEST_F(TimerTest, ARefusedTimerRaisesAndStaysOffUntilThePlatformHasOneAgain) {
  TTimer timer;
  source_.refuse = true;
  try {
    timer.SetEnabled(true);
    FAIL() << "no exception";
  } catch (const EOutOfResources& e) {
    EXPECT_EQ(e.Message(), "可用的计时器不足");
  }
  EXPECT_FALSE(timer.Enabled());
  source_.refuse = false;
  timer.SetEnabled(true);
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(source_.running.size(), 1u);

  source_.refuse = true;
  EXPECT_THROW(timer.SetInterval(500), EOutOfResources);
  EXPECT_FALSE(timer.Enabled());
  EXPECT_TRUE(source_.running.empty());
}

TEST_F(TimerTest, TicksRaiseOnTimerOnlyForTheRunningTimersOwnId) {
  TTimer timer;
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  timer.SetEnabled(true);
  SendTick(timer, 101);
  SendTick(timer, 101);
  SendTick(timer, 7);  // not this timer's
  EXPECT_EQ(ticks, 2);
  timer.SetEnabled(false);
  SendTick(timer, 101);  // a tick that was already queued when the timer stopped
  EXPECT_EQ(ticks, 2);
}

TEST_F(TimerTest, DestroyingARunningTimerStopsItsPlatformTimer) {
  { TTimer(nullptr).SetEnabled(true); }
  EXPECT_EQ(source_.stops, (std::vector<int>{101}));
  EXPECT_TRUE(source_.running.empty());
}

TEST(QtTimerTest, QtDeliversTicksThroughTheEventLoop) {
  TTimer timer;
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  timer.SetInterval(1);
  timer.SetEnabled(true);
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 5000));
  timer.SetEnabled(false);
  const int after_stop = ticks;
  QCoreApplication::processEvents();
  EXPECT_EQ(ticks, after_stop);
}

}  // namespace
}  // namespace zelvorn
