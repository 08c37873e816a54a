#pragma once

#include <QLineEdit>
#include <cstdint>
#include <memory>
#include <string>

#include "controls/timebox/time_box_clock.h"
#include "platform/color.h"
#include "platform/font.h"

namespace zelvorn {

// The elapsed-time display of a run on Qt: an edit line nobody can type in (read-only and
// disabled) showing hh:mm:ss, white on black, with the clock of TTimeBoxClock, whose calls it
// passes on. SetText shows a caller's text at any moment.
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

  std::int32_t hour() const { return clock_.hour(); }
  std::int32_t minute() const { return clock_.minute(); }
  std::int32_t second() const { return clock_.second(); }
  std::int32_t ClockSeconds() const { return clock_.ClockSeconds(); }
  bool NowBegin() const { return clock_.NowBegin(); }
  void SetNowBegin(bool begin) { clock_.SetNowBegin(begin); }
  bool NowPause() const { return clock_.NowPause(); }
  void SetNowPause(bool pause) { clock_.SetNowPause(pause); }
  TDateTime NowTime() const { return clock_.NowTime(); }
  void SetNowTime(TDateTime time) { clock_.SetNowTime(time); }
  void ClockTick() { clock_.ClockTick(); }
  const TTimer& Timer() const { return clock_.Timer(); }

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

  TTimeBoxClock clock_;

  TColor color_ = clWindow;
  TFont font_;
  bool auto_select_ = true;
};

}  // namespace zelvorn
