#pragma once

#include <optional>
#include <string>

#include "controls/timebox/time_box_clock.h"
#include "controls/timebox/time_box_look.h"
#include "platform/win32/gdi_handle.h"
#include "platform/win32/window.h"

namespace zelvorn {

// The time box on Windows: an EDIT showing a TTimeBoxLook, whose text the box's own clock
// writes. While disabled it paints its own face in its colours; its WM_CTLCOLORSTATIC and
// WM_CTLCOLOREDIT come back to it from its parent and are answered with ControlColor, for what
// the edit itself still draws. A new box has DefaultTimeBoxLook and a stopped clock.
class TVosTimeBox final : public IControlOwner {
 public:
  TVosTimeBox(HWND parent, int control_id, int x, int y, int width, int height);
  ~TVosTimeBox();
  TVosTimeBox(const TVosTimeBox&) = delete;
  TVosTimeBox& operator=(const TVosTimeBox&) = delete;

  HWND Handle() const { return handle_; }
  TTimeBoxClock& Clock() { return clock_; }
  const TTimeBoxClock& Clock() const { return clock_; }

  // The text as UTF-8.
  std::string Text() const { return ReadText(handle_); }
  void SetText(const std::string& text) { WriteText(handle_, text); }

  // The look last set; what the box shows since then is Text().
  const TTimeBoxLook& Look() const { return look_; }
  void SetLook(const TTimeBoxLook& look);

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
  TTimeBoxLook look_;
  TTimeBoxClock clock_;
};

}  // namespace zelvorn
