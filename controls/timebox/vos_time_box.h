#pragma once

#include <QLineEdit>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/color.h"
#include "platform/font.h"

namespace zelvorn {

class TTimer;

// Whole days counted from 1899-12-30, with the time of day as the fractional part.
using TDateTime = double;

// The elapsed-time display of a run: an edit line nobody can type in (read-only and disabled)
// showing hh:mm:ss, white on black, driven by a clock of its own that ticks once a second.
// NowBegin starts that clock, NowPause holds it and NowTime sets it to a time of day; each tick
// of a running clock adds a second and rewrites the text. SetText shows a caller's text at any
// moment.
//
// A new box shows "00:00:00" in white "黑体" 12 pt on black, read-only, disabled and without
// AutoSelect; its clock is stopped, with its timer off.
class TVosTimeBox : public QLineEdit {
 public:
  explicit TVosTimeBox(QWidget* owner = nullptr);
  // Stops and releases the clock's timer before the edit control goes.
  ~TVosTimeBox() override;
  TVosTimeBox(const TVosTimeBox&) = delete;
  TVosTimeBox& operator=(const TVosTimeBox&) = delete;

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

  // The own clock's tick: counts one second and shows the new time, when the clock is started
  // and not paused. The clock's timer calls it once a second.
  void ClockTick();

  // Setters that can switch the timer on raise EOutOfResources "可用的计时器不足" when the
  // platform has no timer left. Flags and counts stored before that point keep their new values.
  const TTimer& Timer() const { return *timer_; }

  // The text as UTF-8.
  std::string Text() const;
  void SetText(const std::string& text);

  // The background colour; a system colour follows the palette.
  TColor Color() const { return color_; }
  void SetColor(TColor color);

  // Its Color is the text colour, shown also while the box is disabled.
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);

  // Select the whole text when the box is entered with the keyboard.
  bool AutoSelect() const { return auto_select_; }
  void SetAutoSelect(bool auto_select);

 protected:
  void focusInEvent(QFocusEvent* event) override;

 private:
  void ApplyColors();

  std::unique_ptr<TTimer> timer_;
  TDateTime now_time_ = 0;
  std::int32_t hour_ = 0;
  std::int32_t minute_ = 0;
  std::int32_t second_ = 0;
  std::int32_t clock_seconds_ = 0;
  bool now_begin_ = false;
  bool now_pause_ = false;

  TColor color_ = clWindow;
  TFont font_;
  bool auto_select_ = true;
};

}  // namespace zelvorn
