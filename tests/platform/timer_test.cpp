#include "platform/timer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/error_boundary.h"
#include "platform/exceptions.h"
#include "tests/support/fake_timer_source.h"

namespace zelvorn {
namespace {

using testing::TFakeTimerSource;

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
  EXPECT_EQ(source_.starts, (std::vector<std::uint32_t>{1000}));
  EXPECT_TRUE(source_.stops.empty());
  timer.SetEnabled(false);
  timer.SetEnabled(false);
  EXPECT_EQ(source_.stops, (std::vector<std::uintptr_t>{101}));
  EXPECT_TRUE(source_.running.empty());
}

TEST_F(TimerTest, ChangingTheIntervalRestartsOnlyARunningTimer) {
  TTimer timer;
  timer.SetInterval(250);  // off: nothing to restart
  EXPECT_TRUE(source_.starts.empty());
  timer.SetEnabled(true);
  timer.SetInterval(250);  // unchanged
  timer.SetInterval(60);
  EXPECT_EQ(source_.starts, (std::vector<std::uint32_t>{250, 60}));
  EXPECT_EQ(source_.stops, (std::vector<std::uintptr_t>{101}));
  timer.SetInterval(0);  // on, but never ticks
  EXPECT_TRUE(timer.Enabled());
  EXPECT_TRUE(source_.running.empty());
  timer.SetInterval(10);
  EXPECT_EQ(source_.starts, (std::vector<std::uint32_t>{250, 60, 10}));
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
  TFakeTimerSource::SendTick(timer, 101);
  TFakeTimerSource::SendTick(timer, 101);
  TFakeTimerSource::SendTick(timer, 7);  // not this timer's
  EXPECT_EQ(ticks, 2);
  timer.SetEnabled(false);
  TFakeTimerSource::SendTick(timer, 101);  // a tick that was already queued when the timer stopped
  EXPECT_EQ(ticks, 2);
}

// A tick's exception that got past the timer would unwind through the platform's event delivery.
TEST_F(TimerTest, AFailedTickIsReportedOnceAndTheTimerGoesOn) {
  int reports = 0;
  const TErrorReporter previous = SetErrorReporter([&](std::exception_ptr) { ++reports; });
  TTimer timer;
  int ticks = 0;
  timer.OnTimer = [&] {
    if (++ticks == 1) throw EOutOfResources("x");
  };
  timer.SetEnabled(true);
  source_.Tick(timer);
  source_.Tick(timer);
  SetErrorReporter(previous);
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(ticks, 2);
  EXPECT_TRUE(timer.Enabled());
}

TEST_F(TimerTest, DestroyingARunningTimerStopsItsPlatformTimer) {
  { TTimer().SetEnabled(true); }
  EXPECT_EQ(source_.stops, (std::vector<std::uintptr_t>{101}));
  EXPECT_TRUE(source_.running.empty());
}

}  // namespace
}  // namespace zelvorn
