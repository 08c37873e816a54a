#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "platform/canvas.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/text_layout.h"
#include "platform/win32/windows_api.h"

namespace zelvorn {

// The canvas on a Windows device context, in its logical coordinates, with the pixel rules of
// TCanvas: fills, outlines and lines are filled rectangles (GDI's own pens place wide and
// slanted lines differently), text is DrawTextExW's with the layout's flags, which are Windows'
// own, on a transparent background, and the focus rectangle inverts with a dotted pattern.
// System colours resolve through GetSysColor.
//
// The fonts made for a paint are kept until the canvas goes, and the device context is left as
// the canvas found it.
class TGdiCanvas final : public TCanvas {
 public:
  // A canvas for repainting `bounds` (BeginPaint's rcPaint, or a whole bitmap): nothing outside
  // it is drawn, and RectVisible also asks the device context's clipping region.
  TGdiCanvas(HDC dc, const TRect& bounds);
  ~TGdiCanvas() override;

  void DrawText(std::string_view text, const TRect& rect, TDrawTextFlags flags) override;
  void DrawFocusRect(const TRect& rect) override;
  bool RectVisible(const TRect& rect) const override;

 private:
  void Fill(const TRect& rect, TColor color) override;
  TRect Bounds() const override { return bounds_; }
  void SelectFont();

  HDC dc_;
  TRect bounds_;
  int saved_dc_;
  std::vector<std::pair<TFont, HFONT>> fonts_;
  HFONT selected_font_ = nullptr;
  HBRUSH focus_pattern_ = nullptr;
};

}  // namespace zelvorn
