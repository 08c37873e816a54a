#include "controls/timebox/time_box_clock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/exceptions.h"
#include "platform/timer.h"
#include "tests/support/fake_timer_source.h"

namespace zelvorn {
namespace {

using testing::TFakeTimerSource;

// The clock with the text of the control that holds it.
class TimeBoxClockTest : public ::testing::Test {
 protected:
  bool TimerOn() const { return clock_.Timer().Enabled(); }
  void Tick(int count = 1) {
    for (int i = 0; i < count; ++i) clock_.ClockTick();
  }
  void ExpectClock(std::int32_t h, std::int32_t m, std::int32_t s, std::int32_t total) {
    EXPECT_EQ(clock_.hour(), h);
    EXPECT_EQ(clock_.minute(), m);
    EXPECT_EQ(clock_.second(), s);
    EXPECT_EQ(clock_.ClockSeconds(), total);
  }

  TFakeTimerSource source_;
  TScopedTimerSource scope_{source_};
  std::string text_ = TTimeBoxClock::kZeroTime;
  TTimeBoxClock clock_{[this](const std::string& text) { text_ = text; }};
};

TEST_F(TimeBoxClockTest, RunningFromTheStartCountsAndShowsEachSecond) {
  struct Case {
    int ticks;
    const char* text;
    std::int32_t h, m, s;
  };
  const Case cases[] = {
      {1, "00:00:01", 0, 0, 1},         {3, "00:00:03", 0, 0, 3},    {60, "00:01:00", 0, 1, 0},
      {3599, "00:59:59", 0, 59, 59},    {3600, "01:00:00", 1, 0, 0}, {86400, "24:00:00", 24, 0, 0},
      {360000, "100:00:00", 100, 0, 0},
  };
  int done = 0;
  clock_.SetNowBegin(true);
  EXPECT_TRUE(TimerOn());
  for (const Case& c : cases) {
    Tick(c.ticks - done);
    done = c.ticks;
    EXPECT_EQ(text_, c.text);
    ExpectClock(c.h, c.m, c.s, c.ticks);
  }
}

TEST_F(TimeBoxClockTest, TheClocksOwnTimerDrivesIt) {
  clock_.SetNowBegin(true);
  ASSERT_EQ(source_.running.size(), 1u);
  EXPECT_EQ(source_.running.begin()->second.interval_ms, 1000);
  source_.Tick(clock_.Timer());
  source_.Tick(clock_.Timer());
  EXPECT_EQ(text_, "00:00:02");
}

TEST_F(TimeBoxClockTest, PauseStopsCountingAndResumeGoesOnFromTheKeptCount) {
  clock_.SetNowBegin(true);
  Tick(5);
  clock_.SetNowPause(true);
  EXPECT_FALSE(TimerOn());
  Tick(3);  // a tick already on its way does nothing either
  EXPECT_EQ(text_, "00:00:05");
  clock_.SetNowPause(false);
  EXPECT_TRUE(TimerOn());
  Tick();
  EXPECT_EQ(text_, "00:00:06");
  ExpectClock(0, 0, 6, 6);
}

TEST_F(TimeBoxClockTest, StoppingShowsZeroAtOnceAndKeepsTheCountsUntilTheNextStart) {
  clock_.SetNowBegin(true);
  Tick(65);
  clock_.SetNowBegin(false);
  EXPECT_EQ(text_, "00:00:00");
  EXPECT_FALSE(TimerOn());
  ExpectClock(0, 1, 5, 65);
  text_ = "written";
  clock_.SetNowBegin(true);  // resets the counts, but the text stays until the next tick
  ExpectClock(0, 0, 0, 0);
  EXPECT_EQ(text_, "written");
  Tick();
  EXPECT_EQ(text_, "00:00:01");
}

TEST_F(TimeBoxClockTest, StartingWhilePausedLeavesThePauseInEffect) {
  clock_.SetNowPause(true);
  clock_.SetNowBegin(true);
  EXPECT_TRUE(clock_.NowPause());
  EXPECT_TRUE(TimerOn());
  Tick();
  EXPECT_EQ(text_, "00:00:00");
  EXPECT_EQ(clock_.ClockSeconds(), 0);
}

TEST_F(TimeBoxClockTest, ResumingAStoppedClockRunsItsTimerToNoEffect) {
  clock_.SetNowBegin(false);  // as the window's stored layout applies them
  clock_.SetNowPause(false);
  EXPECT_TRUE(TimerOn());
  Tick(3);
  EXPECT_EQ(text_, "00:00:00");
  ExpectClock(0, 0, 0, 0);
}

TEST_F(TimeBoxClockTest, WrittenTextIsOverwrittenByTheRunningClockOnly) {
  text_ = "12:34:56";
  Tick();
  EXPECT_EQ(text_, "12:34:56");
  clock_.SetNowBegin(true);
  text_ = "abc";
  Tick();
  EXPECT_EQ(text_, "00:00:01");
}

TEST_F(TimeBoxClockTest, NowTimeTakesTheTimeOfDayAndRunsFromIt) {
  constexpr double kDay = 86400.0;
  struct Case {
    const char* name;
    TDateTime time;
    std::int32_t h, m, s;
  };
  const Case cases[] = {
      {"one day and twelve hours", 1.5, 12, 0, 0},
      {"only the fraction counts", 45000.75, 18, 0, 0},
      {"a negative time by its distance from day zero", -1.25, 6, 0, 0},
      {"milliseconds are dropped", (10 * 3600 + 20 * 60 + 30.4) / kDay, 10, 20, 30},
      {"rounded to the millisecond first", (59.9996) / kDay, 0, 1, 0},
      {"a whole day rounds to midnight", 0.99999999999, 0, 0, 0},
      {"far from day zero", 1e6 + 0.5, 12, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clock_.SetNowPause(true);
    text_ = "kept";
    clock_.SetNowTime(c.time);
    EXPECT_EQ(clock_.NowTime(), c.time);
    ExpectClock(c.h, c.m, c.s, c.h * 3600 + c.m * 60 + c.s);
    EXPECT_TRUE(clock_.NowBegin());
    EXPECT_FALSE(clock_.NowPause());
    EXPECT_TRUE(TimerOn());
    EXPECT_EQ(text_, "kept");
  }
  clock_.SetNowTime(1.5);
  Tick();
  EXPECT_EQ(text_, "12:00:01");
}

TEST_F(TimeBoxClockTest, NowTimeRefusesAValueThatIsNoNumberAndChangesNothing) {
  clock_.SetNowTime(0.25);
  for (const double bad : {std::nan(""), std::numeric_limits<double>::infinity(), -1e308}) {
    EXPECT_THROW(clock_.SetNowTime(bad), EConvertError) << bad;
    EXPECT_EQ(clock_.NowTime(), 0.25);
    ExpectClock(6, 0, 0, 21600);
  }
}

TEST_F(TimeBoxClockTest, WithoutAPlatformTimerTheSettersRaiseAndKeepWhatTheyStoredBefore) {
  source_.refuse = true;
  EXPECT_THROW(clock_.SetNowPause(false), EOutOfResources);
  EXPECT_FALSE(clock_.NowPause());

  clock_.SetNowPause(true);
  EXPECT_THROW(clock_.SetNowTime(0.5), EOutOfResources);
  ExpectClock(12, 0, 0, 43200);
  EXPECT_FALSE(clock_.NowBegin());  // the flags come after the timer
  EXPECT_TRUE(clock_.NowPause());

  try {
    clock_.SetNowBegin(true);
    FAIL() << "no exception";
  } catch (const EOutOfResources& e) {
    EXPECT_EQ(e.Message(), "可用的计时器不足");
  }
  EXPECT_TRUE(clock_.NowBegin());
  ExpectClock(0, 0, 0, 0);
  EXPECT_FALSE(TimerOn());
}

TEST_F(TimeBoxClockTest, DestroyingARunningClockStopsItsTimer) {
  {
    TTimeBoxClock running([](const std::string&) {});
    running.SetNowBegin(true);
    EXPECT_EQ(source_.running.size(), 1u);
  }
  EXPECT_TRUE(source_.running.empty());
}

}  // namespace
}  // namespace zelvorn
