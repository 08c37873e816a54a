#include "controls/grid/win32/pan_indicators.h"

#include <array>

#include "platform/color.h"

namespace zelvorn {
namespace {

constexpr wchar_t kMarkerClass[] = L"TCellGridPanOrigin";
// Both sizes are even, so that the shapes drawn around the centre are symmetric to the pixel.
constexpr int kCursorSize = 32;
constexpr int kMarkerSize = 26;

// The instance the marker's class was registered with.
HINSTANCE marker_instance = nullptr;

// The dot and the arrowheads the cursor and the marker share, around (centre, centre), in the
// device context's pen and brush.
void DrawPanGlyph(HDC dc, int centre, int reach, bool up, bool down) {
  Ellipse(dc, centre - 2, centre - 2, centre + 3, centre + 3);
  const int half_width = reach - 4;
  if (up) {
    const std::array<POINT, 3> head{
        {{centre, centre - reach}, {centre + half_width, centre - 4}, {centre - half_width, centre - 4}}};
    Polygon(dc, head.data(), static_cast<int>(head.size()));
  }
  if (down) {
    const std::array<POINT, 3> head{
        {{centre, centre + reach}, {centre + half_width, centre + 4}, {centre - half_width, centre + 4}}};
    Polygon(dc, head.data(), static_cast<int>(head.size()));
  }
}

// Draws the glyph on a bitmap: first wide in the rim's colour, then filled in the glyph's.
void DrawOnBitmap(HDC dc, HBITMAP bitmap, COLORREF background, COLORREF rim, COLORREF glyph,
                  TGridCursor shape) {
  const HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
  const RECT all{0, 0, kCursorSize, kCursorSize};
  SetDCBrushColor(dc, background);
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  const bool up = shape != TGridCursor::crPanDown;
  const bool down = shape != TGridCursor::crPanUp;
  // Shapes on the move are a little longer than at rest, so the direction reads at once.
  const int reach = shape == TGridCursor::crPanRest ? 9 : 10;
  const HPEN rim_pen = CreatePen(PS_SOLID, 3, rim);
  const HGDIOBJ old_pen = SelectObject(dc, rim_pen);
  const HGDIOBJ old_brush = SelectObject(dc, GetStockObject(DC_BRUSH));
  SetDCBrushColor(dc, rim);
  DrawPanGlyph(dc, kCursorSize / 2, reach, up, down);
  SelectObject(dc, GetStockObject(NULL_PEN));
  SetDCBrushColor(dc, glyph);
  DrawPanGlyph(dc, kCursorSize / 2, reach, up, down);
  SelectObject(dc, old_brush);
  SelectObject(dc, old_pen);
  SelectObject(dc, old_bitmap);
  DeleteObject(rim_pen);
}

HCURSOR MakePanCursor(TGridCursor shape) {
  // A cursor shows its colour where its mask is 0 and leaves the screen where the mask is 1 and
  // the colour black.
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP color = CreateCompatibleBitmap(screen, kCursorSize, kCursorSize);
  const HBITMAP mask = CreateBitmap(kCursorSize, kCursorSize, 1, 1, nullptr);
  DrawOnBitmap(dc, color, RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0), shape);
  DrawOnBitmap(dc, mask, RGB(255, 255, 255), RGB(0, 0, 0), RGB(0, 0, 0), shape);
  ICONINFO info{FALSE, kCursorSize / 2, kCursorSize / 2, mask, color};
  const HCURSOR cursor = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(color);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return cursor;
}

void PaintMarker(HWND window) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  const HPEN rim = CreatePen(PS_SOLID, 1, RGB(96, 96, 96));
  const HGDIOBJ old_pen = SelectObject(dc, rim);
  const HGDIOBJ old_brush = SelectObject(dc, GetStockObject(DC_BRUSH));
  SetDCBrushColor(dc, RGB(255, 255, 255));
  Ellipse(dc, 0, 0, kMarkerSize, kMarkerSize);
  SelectObject(dc, GetStockObject(NULL_PEN));
  SetDCBrushColor(dc, RGB(48, 48, 48));
  DrawPanGlyph(dc, kMarkerSize / 2, 9, true, true);
  SelectObject(dc, old_brush);
  SelectObject(dc, old_pen);
  DeleteObject(rim);
  EndPaint(window, &paint);
}

// Nothing here can throw: painting is plain GDI.
LRESULT CALLBACK MarkerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  switch (message) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintMarker(window);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace

HCURSOR PanCursor(TGridCursor shape) {
  static const std::array<HCURSOR, 3> cursors{MakePanCursor(TGridCursor::crPanRest),
                                              MakePanCursor(TGridCursor::crPanDown),
                                              MakePanCursor(TGridCursor::crPanUp)};
  switch (shape) {
    case TGridCursor::crPanRest:
      return cursors[0];
    case TGridCursor::crPanDown:
      return cursors[1];
    case TGridCursor::crPanUp:
      return cursors[2];
    case TGridCursor::crDefault:
      break;
  }
  return LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
}

void TPanOriginMarker::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = MarkerProc;
  window_class.hInstance = instance;
  marker_instance = instance;
  window_class.lpszClassName = kMarkerClass;
  RegisterClassExW(&window_class);
}

TPanOriginMarker::~TPanOriginMarker() {
  if (window_ != nullptr) DestroyWindow(window_);
}

void TPanOriginMarker::ShowAt(TPoint centre) {
  if (shown_ && centre == centre_) return;
  if (window_ == nullptr) {
    window_ = CreateWindowExW(0, kMarkerClass, L"", WS_CHILD, 0, 0, kMarkerSize, kMarkerSize,
                              grid_, nullptr, marker_instance, nullptr);
    if (window_ == nullptr) return;
    SetWindowRgn(window_, CreateEllipticRgn(0, 0, kMarkerSize + 1, kMarkerSize + 1), FALSE);
  }
  centre_ = centre;
  shown_ = true;
  SetWindowPos(window_, HWND_TOP, centre.X - kMarkerSize / 2, centre.Y - kMarkerSize / 2, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TPanOriginMarker::Hide() {
  if (!shown_) return;
  shown_ = false;
  ShowWindow(window_, SW_HIDE);
}

}  // namespace zelvorn
