#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "controls/timebox/time_box_clock.h"
#include "platform/color.h"
#include "platform/font.h"
#include "platform/win32/gdi_handle.h"
#include "platform/win32/window.h"

namespace zelvorn {

// The elapsed-time display of a run on Windows: an EDIT nobody can type in (read-only and
// disabled) showing hh:mm:ss, white on black, with the clock of TTimeBoxClock, whose calls it
// passes on. SetText shows a caller's text at any moment. The box paints its own face in its
// colours; its WM_CTLCOLORSTATIC and WM_CTLCOLOREDIT come back to it from its parent and are
// answered with ControlColor, for what the edit itself still draws.
//
// A new box shows "00:00:00" in white "黑体" 12 pt on black, read-only, disabled and without
// AutoSelect; its clock is stopped, with its timer off.
class TVosTimeBox final : public IControlOwner {
 public:
  TVosTimeBox(HWND parent, int control_id, int x, int y, int width, int height);
  ~TVosTimeBox();
  TVosTimeBox(const TVosTimeBox&) = delete;
  TVosTimeBox& operator=(const TVosTimeBox&) = delete;

  HWND Handle() const { return handle_; }

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

  TColor Color() const { return color_; }
  void SetColor(TColor color);

  // Its Color is the text colour, shown also while the box is disabled.
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);

  bool AutoSelect() const { return auto_select_; }
  void SetAutoSelect(bool auto_select) { auto_select_ = auto_select; }

  bool ReadOnly() const;
  void SetReadOnly(bool read_only);
  bool Enabled() const;
  void SetEnabled(bool enabled);

  // The answer to the parent's WM_CTLCOLORSTATIC (or WM_CTLCOLOREDIT) for this box: the text and
  // background colours set on `dc`, and the brush the background is filled with.
  HBRUSH ControlColor(HDC dc);
  std::optional<LRESULT> ControlMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  static LRESULT CALLBACK FaceProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                   UINT_PTR subclass, DWORD_PTR box);
  void PaintFace(HDC dc);
  void ReplaceBrush();

  HWND handle_;
  TOwnedControl owned_{handle_, *this};
  TFontHandle font_handle_;
  TBrushHandle brush_;
  TColor color_ = clWindow;
  TFont font_;
  bool auto_select_ = true;
  TTimeBoxClock clock_;
};

}  // namespace zelvorn
