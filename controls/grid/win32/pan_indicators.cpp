#include "controls/grid/win32/pan_indicators.h"

#include <array>

#include "controls/grid/pan_glyph.h"
#include "platform/color.h"
#include "platform/geometry.h"
#include "platform/win32/color.h"
#include "platform/win32/gdi_handle.h"

namespace zelvorn {
namespace {

constexpr wchar_t kMarkerClass[] = L"TCellGridPanOrigin";
// Even, so that the shapes drawn around the centre are symmetric to the pixel.
constexpr int kCursorSize = 32;

// The glyph's dot and arrowheads around (centre, centre), in the device context's pen and brush.
void DrawPanGlyph(HDC dc, int centre, const TPanGlyph& glyph) {
  Ellipse(dc, centre - kPanDotRadius, centre - kPanDotRadius, centre + kPanDotRadius + 1,
          centre + kPanDotRadius + 1);
  for (const bool up : {true, false}) {
    if (!(up ? glyph.Up : glyph.Down)) continue;
    const std::array<TPoint, 3> head = PanArrowHead({centre, centre}, glyph.Reach, up);
    const std::array<POINT, 3> points{
        {{head[0].X, head[0].Y}, {head[1].X, head[1].Y}, {head[2].X, head[2].Y}}};
    Polygon(dc, points.data(), static_cast<int>(points.size()));
  }
}

// Draws the glyph on a bitmap: first wide in the rim's colour, then filled in the glyph's.
void DrawOnBitmap(HDC dc, HBITMAP bitmap, COLORREF background, COLORREF rim, COLORREF glyph,
                  TGridCursor shape) {
  const TPenHandle rim_pen(CreatePen(PS_SOLID, kPanCursorRimWidth, rim));
  const TSelection on_bitmap = SelectInto(dc, bitmap);
  const RECT all{0, 0, kCursorSize, kCursorSize};
  SetDCBrushColor(dc, background);
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  const TPanGlyph pan_glyph = PanCursorGlyph(shape);
  const TSelection pen = SelectInto(dc, rim_pen.Get());
  const TSelection brush = SelectInto(dc, GetStockObject(DC_BRUSH));
  SetDCBrushColor(dc, rim);
  DrawPanGlyph(dc, kCursorSize / 2, pan_glyph);
  SelectObject(dc, GetStockObject(NULL_PEN));
  SetDCBrushColor(dc, glyph);
  DrawPanGlyph(dc, kCursorSize / 2, pan_glyph);
}

HCURSOR MakePanCursor(TGridCursor shape) {
  // A cursor shows its colour where its mask is 0 and leaves the screen where the mask is 1 and
  // the colour black.
  const TWindowDC screen = ClientDC(nullptr);
  const TMemoryDC dc(CreateCompatibleDC(screen.Get()));
  const TBitmapHandle color(CreateCompatibleBitmap(screen.Get(), kCursorSize, kCursorSize));
  const TBitmapHandle mask(CreateBitmap(kCursorSize, kCursorSize, 1, 1, nullptr));
  DrawOnBitmap(dc.Get(), color.Get(), RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0), shape);
  DrawOnBitmap(dc.Get(), mask.Get(), RGB(255, 255, 255), RGB(0, 0, 0), RGB(0, 0, 0), shape);
  ICONINFO info{FALSE, kCursorSize / 2, kCursorSize / 2, mask.Get(), color.Get()};
  return CreateIconIndirect(&info);
}

void DrawMarker(HDC dc) {
  const TPenHandle rim(CreatePen(PS_SOLID, 1, ToColorRef(kPanMarkerRim)));
  const TSelection pen = SelectInto(dc, rim.Get());
  const TSelection brush = SelectInto(dc, GetStockObject(DC_BRUSH));
  SetDCBrushColor(dc, RGB(255, 255, 255));
  Ellipse(dc, 0, 0, kPanMarkerSize, kPanMarkerSize);
  SelectObject(dc, GetStockObject(NULL_PEN));
  SetDCBrushColor(dc, ToColorRef(kPanMarkerGlyph));
  DrawPanGlyph(dc, kPanMarkerSize / 2, TPanGlyph{});
}

}  // namespace

HCURSOR PanCursor(TGridCursor shape) {
  // By shape, in the order of TGridCursor after crDefault.
  static const std::array<HCURSOR, 3> cursors{MakePanCursor(TGridCursor::crPanRest),
                                              MakePanCursor(TGridCursor::crPanDown),
                                              MakePanCursor(TGridCursor::crPanUp)};
  if (shape == TGridCursor::crDefault) return ArrowCursor();
  return cursors[static_cast<std::size_t>(shape) - 1];
}

void TPanOriginMarker::RegisterWindowClass(HINSTANCE instance) {
  TWindow::RegisterWindowClass(instance, kMarkerClass, 0, nullptr, nullptr, nullptr);
}

void TPanOriginMarker::ShowAt(TPoint centre) {
  if (shown_ && centre == centre_) return;
  if (Handle() == nullptr) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(grid_, GWLP_HINSTANCE));
    CreateHandle(0, kMarkerClass, L"", WS_CHILD, {0, 0, kPanMarkerSize, kPanMarkerSize}, grid_,
                 instance);
    SetWindowRgn(Handle(), CreateEllipticRgn(0, 0, kPanMarkerSize + 1, kPanMarkerSize + 1), FALSE);
  }
  centre_ = centre;
  shown_ = true;
  SetWindowPos(Handle(), HWND_TOP, centre.X - kPanMarkerSize / 2, centre.Y - kPanMarkerSize / 2, 0,
               0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TPanOriginMarker::Hide() {
  if (!shown_) return;
  shown_ = false;
  ShowWindow(Handle(), SW_HIDE);
}

LRESULT TPanOriginMarker::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    default:
      return TWindow::HandleMessage(message, wparam, lparam);
  }
}

void TPanOriginMarker::Paint() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(Handle(), &paint);
  DrawMarker(dc);
  EndPaint(Handle(), &paint);
}

}  // namespace zelvorn
