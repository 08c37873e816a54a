#include "controls/timebox/qt/vos_time_box.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFocusEvent>
#include <QImage>
#include <QTest>
#include <cmath>
#include <limits>

#include "platform/exceptions.h"
#include "platform/timer.h"
#include "tests/support/fake_timer_source.h"

namespace zelvorn {
namespace {

using testing::TFakeTimerSource;

class TimeBoxTest : public ::testing::Test {
 protected:
  bool TimerOn() const { return box_.Timer().Enabled(); }
  void Tick(int count = 1) {
    for (int i = 0; i < count; ++i) box_.ClockTick();
  }
  void ExpectClock(std::int32_t h, std::int32_t m, std::int32_t s, std::int32_t total) {
    EXPECT_EQ(box_.hour(), h);
    EXPECT_EQ(box_.minute(), m);
    EXPECT_EQ(box_.second(), s);
    EXPECT_EQ(box_.ClockSeconds(), total);
  }

  TFakeTimerSource source_;
  TScopedTimerSource scope_{source_};
  TVosTimeBox box_;
};

TEST_F(TimeBoxTest, ANewBoxShowsZeroInWhiteHeiTiOnBlackReadOnlyAndDisabled) {
  EXPECT_EQ(box_.Text(), "00:00:00");
  EXPECT_EQ(box_.Color(), clBlack);
  EXPECT_EQ(box_.Font().Name, "黑体");
  EXPECT_EQ(box_.Font().Size(), 12);
  EXPECT_EQ(box_.Font().Height, -16);
  EXPECT_EQ(box_.Font().Color, clWhite);
  EXPECT_EQ(box_.font().pixelSize(), 16);
  EXPECT_TRUE(box_.isReadOnly());
  EXPECT_FALSE(box_.isEnabled());
  EXPECT_FALSE(box_.AutoSelect());
  EXPECT_FALSE(box_.NowBegin());
  EXPECT_FALSE(box_.NowPause());
  EXPECT_EQ(box_.NowTime(), 0.0);
  ExpectClock(0, 0, 0, 0);
  EXPECT_FALSE(TimerOn());
  EXPECT_EQ(box_.Timer().Interval(), 1000u);
}

// Qt greys a disabled edit by default; this one must still show white on black.
TEST_F(TimeBoxTest, TheDisabledBoxPaintsWhiteDigitsOnBlack) {
  box_.resize(140, 37);
  const QImage image = box_.grab().toImage();
  const QRect inside = QRect(QPoint(0, 0), image.size()).adjusted(4, 4, -4, -4);
  int black = 0;
  int white = 0;
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (pixel == qRgb(0, 0, 0)) ++black;
      if (pixel == qRgb(255, 255, 255)) ++white;
    }
  }
  EXPECT_GT(black, inside.width() * inside.height() / 2);
  EXPECT_GT(white, 20);  // the digits' solid ink
}

TEST_F(TimeBoxTest, TheBoxCanNeitherTakeTheFocusNorBeTypedInto) {
  QWidget window;
  box_.setParent(&window);
  window.show();
  window.activateWindow();
  box_.setFocus();
  EXPECT_FALSE(box_.hasFocus());
  QTest::keyClicks(&box_, "12");
  EXPECT_EQ(box_.Text(), "00:00:00");
  box_.setParent(nullptr);
}

TEST_F(TimeBoxTest, RunningFromTheStartCountsAndShowsEachSecond) {
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
  box_.SetNowBegin(true);
  EXPECT_TRUE(TimerOn());
  for (const Case& c : cases) {
    Tick(c.ticks - done);
    done = c.ticks;
    EXPECT_EQ(box_.Text(), c.text);
    ExpectClock(c.h, c.m, c.s, c.ticks);
  }
}

TEST_F(TimeBoxTest, TheClocksOwnTimerDrivesIt) {
  box_.SetNowBegin(true);
  ASSERT_EQ(source_.running.size(), 1u);
  EXPECT_EQ(source_.running.begin()->second.interval_ms, 1000);
  source_.Tick(box_.Timer());
  source_.Tick(box_.Timer());
  EXPECT_EQ(box_.Text(), "00:00:02");
}

TEST_F(TimeBoxTest, PauseStopsCountingAndResumeGoesOnFromTheKeptCount) {
  box_.SetNowBegin(true);
  Tick(5);
  box_.SetNowPause(true);
  EXPECT_FALSE(TimerOn());
  Tick(3);  // a tick already on its way does nothing either
  EXPECT_EQ(box_.Text(), "00:00:05");
  box_.SetNowPause(false);
  EXPECT_TRUE(TimerOn());
  Tick();
  EXPECT_EQ(box_.Text(), "00:00:06");
  ExpectClock(0, 0, 6, 6);
}

TEST_F(TimeBoxTest, StoppingShowsZeroAtOnceAndKeepsTheCountsUntilTheNextStart) {
  box_.SetNowBegin(true);
  Tick(65);
  box_.SetNowBegin(false);
  EXPECT_EQ(box_.Text(), "00:00:00");
  EXPECT_FALSE(TimerOn());
  ExpectClock(0, 1, 5, 65);
  box_.SetText("written");
  box_.SetNowBegin(true);  // resets the counts, but the text stays until the next tick
  ExpectClock(0, 0, 0, 0);
  EXPECT_EQ(box_.Text(), "written");
  Tick();
  EXPECT_EQ(box_.Text(), "00:00:01");
}

TEST_F(TimeBoxTest, StartingWhilePausedLeavesThePauseInEffect) {
  box_.SetNowPause(true);
  box_.SetNowBegin(true);
  EXPECT_TRUE(box_.NowPause());
  EXPECT_TRUE(TimerOn());
  Tick();
  EXPECT_EQ(box_.Text(), "00:00:00");
  EXPECT_EQ(box_.ClockSeconds(), 0);
}

TEST_F(TimeBoxTest, ResumingAStoppedClockRunsItsTimerToNoEffect) {
  box_.SetNowBegin(false);  // as the window's stored layout applies them
  box_.SetNowPause(false);
  EXPECT_TRUE(TimerOn());
  Tick(3);
  EXPECT_EQ(box_.Text(), "00:00:00");
  ExpectClock(0, 0, 0, 0);
}

TEST_F(TimeBoxTest, WrittenTextIsOverwrittenByTheRunningClockOnly) {
  box_.SetText("12:34:56");
  Tick();
  EXPECT_EQ(box_.Text(), "12:34:56");
  box_.SetNowBegin(true);
  box_.SetText("abc");
  EXPECT_EQ(box_.text(), QStringLiteral("abc"));  // shown at once
  Tick();
  EXPECT_EQ(box_.Text(), "00:00:01");
}

TEST_F(TimeBoxTest, NowTimeTakesTheTimeOfDayAndRunsFromIt) {
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
    box_.SetNowPause(true);
    box_.SetText("kept");
    box_.SetNowTime(c.time);
    EXPECT_EQ(box_.NowTime(), c.time);
    ExpectClock(c.h, c.m, c.s, c.h * 3600 + c.m * 60 + c.s);
    EXPECT_TRUE(box_.NowBegin());
    EXPECT_FALSE(box_.NowPause());
    EXPECT_TRUE(TimerOn());
    EXPECT_EQ(box_.Text(), "kept");
  }
  box_.SetNowTime(1.5);
  Tick();
  EXPECT_EQ(box_.Text(), "12:00:01");
}

TEST_F(TimeBoxTest, NowTimeRefusesAValueThatIsNoNumberAndChangesNothing) {
  box_.SetNowTime(0.25);
  for (const double bad : {std::nan(""), std::numeric_limits<double>::infinity(), -1e308}) {
    EXPECT_THROW(box_.SetNowTime(bad), EConvertError) << bad;
    EXPECT_EQ(box_.NowTime(), 0.25);
    ExpectClock(6, 0, 0, 21600);
  }
}

TEST_F(TimeBoxTest, WithoutAPlatformTimerTheSettersRaiseAndKeepWhatTheyStoredBefore) {
  source_.refuse = true;
  EXPECT_THROW(box_.SetNowPause(false), EOutOfResources);
  EXPECT_FALSE(box_.NowPause());

  box_.SetNowPause(true);
  EXPECT_THROW(box_.SetNowTime(0.5), EOutOfResources);
  ExpectClock(12, 0, 0, 43200);
  EXPECT_FALSE(box_.NowBegin());  // the flags come after the timer
  EXPECT_TRUE(box_.NowPause());

  try {
    box_.SetNowBegin(true);
    FAIL() << "no exception";
  } catch (const EOutOfResources& e) {
    EXPECT_EQ(e.Message(), "可用的计时器不足");
  }
  EXPECT_TRUE(box_.NowBegin());
  ExpectClock(0, 0, 0, 0);
  EXPECT_FALSE(TimerOn());
}

TEST_F(TimeBoxTest, DestroyingARunningBoxStopsItsTimer) {
  {
    TVosTimeBox running;
    running.SetNowBegin(true);
    EXPECT_EQ(source_.running.size(), 1u);
  }
  EXPECT_TRUE(source_.running.empty());
}

TEST_F(TimeBoxTest, AutoSelectDecidesWhetherKeyboardEntrySelectsTheText) {
  box_.setEnabled(true);
  for (const bool auto_select : {false, true}) {
    box_.deselect();
    box_.SetAutoSelect(auto_select);
    QFocusEvent focus_in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(&box_, &focus_in);
    EXPECT_EQ(box_.selectedText(), auto_select ? QStringLiteral("00:00:00") : QString())
        << auto_select;
  }
}

}  // namespace
}  // namespace zelvorn
