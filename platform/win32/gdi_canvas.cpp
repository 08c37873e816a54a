#include "platform/win32/gdi_canvas.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/win32/color.h"
#include "platform/win32/font.h"
#include "platform/win32/utf16.h"

namespace zelvorn {
namespace {

RECT ToRECT(const TRect& rect) { return {rect.Left, rect.Top, rect.Right, rect.Bottom}; }

// An 8 x 8 pattern that inverts, under PATINVERT, exactly the pixels with x + y even when its
// origin lies on such a pixel. A 32-bit DIB pattern XORs its own colours, whatever the device's
// text and background colours are.
HBRUSH CreateFocusPattern() {
  struct TPattern {
    BITMAPINFOHEADER Header;
    std::array<std::uint32_t, 64> Pixels;
  } pattern{};
  pattern.Header.biSize = sizeof(BITMAPINFOHEADER);
  pattern.Header.biWidth = 8;
  pattern.Header.biHeight = 8;
  pattern.Header.biPlanes = 1;
  pattern.Header.biBitCount = 32;
  pattern.Header.biCompression = BI_RGB;
  for (int row = 0; row < 8; ++row) {
    // The rows of a DIB go from the bottom up: row 0 is y = 7.
    const int y = 7 - row;
    for (int x = 0; x < 8; ++x) pattern.Pixels[row * 8 + x] = (x + y) % 2 == 0 ? 0xFFFFFF : 0;
  }
  return CreateDIBPatternBrushPt(&pattern, DIB_RGB_COLORS);
}

// The one-pixel edges of a focus rectangle, each pixel in one of them only, so that inverting
// them twice is the identity even for a rectangle one pixel wide or high.
std::vector<TRect> FocusEdges(const TRect& rect) {
  std::vector<TRect> edges{{rect.Left, rect.Top, rect.Right, rect.Top + 1}};
  if (rect.Height() > 1) edges.push_back({rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom});
  if (rect.Height() > 2) {
    edges.push_back({rect.Left, rect.Top + 1, rect.Left + 1, rect.Bottom - 1});
    if (rect.Width() > 1) {
      edges.push_back({rect.Right - 1, rect.Top + 1, rect.Right, rect.Bottom - 1});
    }
  }
  return edges;
}

}  // namespace

TGdiCanvas::TGdiCanvas(HDC dc, const TRect& bounds)
    : dc_(dc), bounds_(bounds), saved_dc_(SaveDC(dc)) {
  SetBkMode(dc_, TRANSPARENT);
  SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

TGdiCanvas::~TGdiCanvas() {
  // Restoring the device context selects its own font again, so that ours can go.
  RestoreDC(dc_, saved_dc_);
  for (const auto& [font, handle] : fonts_) DeleteObject(handle);
  if (focus_pattern_ != nullptr) DeleteObject(focus_pattern_);
}

void TGdiCanvas::Fill(const TRect& rect, TColor color) {
  const RECT visible = ToRECT(rect.Intersected(bounds_));
  if (visible.right <= visible.left || visible.bottom <= visible.top) return;
  SetDCBrushColor(dc_, ToColorRef(color));
  ::FillRect(dc_, &visible, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void TGdiCanvas::SelectFont() {
  if (selected_font_ != nullptr && fonts_.back().first == Font()) return;
  auto kept = std::find_if(fonts_.begin(), fonts_.end(),
                           [&](const auto& entry) { return entry.first == Font(); });
  if (kept == fonts_.end()) {
    fonts_.emplace_back(Font(), CreateFontFor(Font()));
    kept = fonts_.end() - 1;
  } else {
    // The font in use is kept last, so that the next text in it finds it at once.
    std::rotate(kept, kept + 1, fonts_.end());
    kept = fonts_.end() - 1;
  }
  selected_font_ = kept->second;
  SelectObject(dc_, selected_font_);
}

void TGdiCanvas::DrawText(std::string_view text, const TRect& rect, TDrawTextFlags flags) {
  if (text.empty() || Font().Color == clNone || !RectVisible(rect)) return;
  SelectFont();
  SetTextColor(dc_, ToColorRef(Font().Color));
  std::wstring wide = Widen(text);
  RECT box = ToRECT(rect);
  DrawTextExW(dc_, wide.data(), static_cast<int>(wide.size()), &box, flags, nullptr);
}

void TGdiCanvas::DrawFocusRect(const TRect& rect) {
  if (rect.IsEmpty()) return;
  if (focus_pattern_ == nullptr) focus_pattern_ = CreateFocusPattern();
  // The pattern is laid from the brush origin in device pixels; putting that origin on the
  // logical (0, 0) makes the dots those with an even x + y in the canvas's coordinates.
  POINT origin{0, 0};
  LPtoDP(dc_, &origin, 1);
  SetBrushOrgEx(dc_, origin.x & 7, origin.y & 7, nullptr);
  SelectObject(dc_, focus_pattern_);
  for (const TRect& edge : FocusEdges(rect)) {
    const TRect visible = edge.Intersected(bounds_);
    if (visible.IsEmpty()) continue;
    PatBlt(dc_, visible.Left, visible.Top, visible.Width(), visible.Height(), PATINVERT);
  }
}

bool TGdiCanvas::RectVisible(const TRect& rect) const {
  if (!rect.Intersects(bounds_)) return false;
  const RECT box = ToRECT(rect);
  return ::RectVisible(dc_, &box) != FALSE;
}

}  // namespace zelvorn
