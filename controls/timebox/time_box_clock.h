#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/timer.h"

namespace zelvorn {

// Whole days counted from 1899-12-30, with the time of day as the fractional part.
using TDateTime = double;

// The time box's own clock, the same on every platform: NowBegin starts it, NowPause holds it
// and NowTime sets it to a time of day; each tick of a running clock adds a second and shows the
// new time as hh:mm:ss through ShowText. The host control that shows the text owns it.
//
// A new clock is stopped, with its timer off and every count 0.
class TTimeBoxClock {
 public:
  // The text every stopped clock shows.
  static constexpr char kZeroTime[] = "00:00:00";

  // `show_text` writes the host control's text; it is called on every counted tick and when the
  // clock stops.
  explicit TTimeBoxClock(std::function<void(const std::string&)> show_text);
  // Stops and releases the timer before anything else goes.
  ~TTimeBoxClock();
  TTimeBoxClock(const TTimeBoxClock&) = delete;
  TTimeBoxClock& operator=(const TTimeBoxClock&) = delete;

  // The clock's reading; ClockSeconds is the total the clock has counted.
  std::int32_t hour() const { return hour_; }
  std::int32_t minute() const { return minute_; }
  std::int32_t second() const { return second_; }
  std::int32_t ClockSeconds() const { return clock_seconds_; }

  // true starts the clock from zero (the text stays until the next tick; NowPause is left as
  // it is); false stops it and shows "00:00:00" at once, keeping the counts.
  bool NowBegin() const { return now_begin_; }
  void SetNowBegin(bool begin);

  // true switches the clock's timer off, false switches it on, whether or not the clock was
  // started: a stopped clock then ticks to no effect.
  bool NowPause() const { return now_pause_; }
  void SetNowPause(bool pause);

  // Sets the clock to the time of day of `time` (whole days and milliseconds dropped) and runs
  // it. The text is left alone for now: the next tick shows the new time, one second on. NaN or
  // an infinity raises EConvertError.
  TDateTime NowTime() const { return now_time_; }
  void SetNowTime(TDateTime time);

  // Counts one second and shows the new time, when the clock is started and not paused. The
  // timer calls it once a second.
  void ClockTick();

  // Setters that can switch the timer on raise EOutOfResources "可用的计时器不足" when the
  // platform has no timer left. Flags and counts stored before that point keep their new values.
  const TTimer& Timer() const { return *timer_; }

 private:
  std::function<void(const std::string&)> show_text_;
  std::unique_ptr<TTimer> timer_;
  TDateTime now_time_ = 0;
  std::int32_t hour_ = 0;
  std::int32_t minute_ = 0;
  std::int32_t second_ = 0;
  std::int32_t clock_seconds_ = 0;
  bool now_begin_ = false;
  bool now_pause_ = false;
};

}  // namespace zelvorn
