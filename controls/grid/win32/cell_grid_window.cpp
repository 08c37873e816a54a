#include "controls/grid/win32/cell_grid_window.h"

#include <optional>

#include "controls/grid/grid_painter.h"
#include "controls/grid/win32/grid_accessible.h"
#include "controls/grid/win32/pan_indicators.h"
#include "platform/error_boundary.h"
#include "platform/win32/gdi_canvas.h"
#include "platform/win32/gdi_handle.h"

namespace zelvorn {

namespace {

constexpr wchar_t kClassName[] = L"TCellGrid";
// Posted to itself: paint the frame that a bar shown or hidden left unpainted.
constexpr UINT kPaintFrameMessage = WM_APP;
HINSTANCE class_instance = nullptr;

// Visual styles decide the frame's colour; IsThemeActive is looked up at run time, since a
// Windows without visual styles has no uxtheme.dll to link to.
TThemes PlatformThemes() {
  const HMODULE uxtheme = LoadLibraryW(L"uxtheme.dll");
  if (uxtheme == nullptr) return TThemes::kInactive;
  using TIsThemeActive = BOOL(WINAPI*)();
  // Through void (*)(), the cast between function types that the compiler accepts silently.
  const auto is_theme_active = reinterpret_cast<TIsThemeActive>(
      reinterpret_cast<void (*)()>(GetProcAddress(uxtheme, "IsThemeActive")));
  const bool active = is_theme_active != nullptr && is_theme_active() != FALSE;
  FreeLibrary(uxtheme);
  return active ? TThemes::kActive : TThemes::kInactive;
}

TRect FromRECT(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
RECT ToRECT(const TRect& rect) { return {rect.Left, rect.Top, rect.Right, rect.Bottom}; }

int BarOf(TScrollBarKind bar) { return bar == TScrollBarKind::sbHorizontal ? SB_HORZ : SB_VERT; }

// What `mask` asks of a bar; zeros when Windows cannot say.
SCROLLINFO ReadBar(HWND window, TScrollBarKind bar, UINT mask) {
  SCROLLINFO info{sizeof(SCROLLINFO), mask, 0, 0, 0, 0, 0};
  GetScrollInfo(window, BarOf(bar), &info);
  return info;
}

// Writes what `info.fMask` names and redraws the bar.
void WriteBar(HWND window, TScrollBarKind bar, SCROLLINFO info) {
  SetScrollInfo(window, BarOf(bar), &info, TRUE);
}

TRect WindowBounds(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return FromRECT(rect);
}

TPoint PointOf(LPARAM lparam) {
  const POINT point = MessagePoint(lparam);
  return {point.x, point.y};
}

// The keys and buttons a mouse message says are down (MK_ flags), and Alt, which it leaves out.
TShiftState MouseShift(WPARAM keys) {
  TShiftState shift;
  if (keys & MK_SHIFT) shift.Include(TShiftStateFlag::ssShift);
  if (keys & MK_CONTROL) shift.Include(TShiftStateFlag::ssCtrl);
  if (GetKeyState(VK_MENU) < 0) shift.Include(TShiftStateFlag::ssAlt);
  if (keys & MK_LBUTTON) shift.Include(TShiftStateFlag::ssLeft);
  if (keys & MK_RBUTTON) shift.Include(TShiftStateFlag::ssRight);
  if (keys & MK_MBUTTON) shift.Include(TShiftStateFlag::ssMiddle);
  return shift;
}

TShiftState KeyShift() {
  TShiftState shift;
  if (GetKeyState(VK_SHIFT) < 0) shift.Include(TShiftStateFlag::ssShift);
  if (GetKeyState(VK_CONTROL) < 0) shift.Include(TShiftStateFlag::ssCtrl);
  if (GetKeyState(VK_MENU) < 0) shift.Include(TShiftStateFlag::ssAlt);
  return shift;
}

// The background the window's parent paints around it: its class brush, a system colour or a
// solid brush. None when the parent paints its background otherwise.
std::optional<TColor> ParentColor(HWND window) {
  const HWND parent = GetParent(window);
  if (parent == nullptr) return std::nullopt;
  const auto brush = static_cast<ULONG_PTR>(GetClassLongPtrW(parent, GCLP_HBRBACKGROUND));
  if (brush == 0) return std::nullopt;
  // A class brush may be a system colour's index plus one.
  if (brush <= COLOR_MENUBAR + 1) return GetSysColor(static_cast<int>(brush - 1));
  LOGBRUSH solid{};
  if (GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof(solid), &solid) != sizeof(solid) ||
      solid.lbStyle != BS_SOLID) {
    return std::nullopt;
  }
  return solid.lbColor;
}

}  // namespace

// ---- The window ----

void TCellGridWindow::RegisterWindowClass(HINSTANCE instance) {
  // Double-clicks come as their own messages, as the grid's input wants them.
  TWindow::RegisterWindowClass(instance, kClassName, CS_DBLCLKS, nullptr,
                               PanCursor(TGridCursor::crDefault), nullptr);
  class_instance = instance;
  TPanOriginMarker::RegisterWindowClass(instance);
}

TCellGridWindow::TCellGridWindow(HWND parent, int control_id, int x, int y, int width, int height)
    : grid_(PlatformThemes()) {
  CreateHandle(WS_EX_CLIENTEDGE, kClassName, L"",
               WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN,
               {x, y, x + width, y + height}, parent, class_instance, control_id);
  pan_marker_ = std::make_unique<TPanOriginMarker>(Handle());
  for (TScrollBarKind bar : {TScrollBarKind::sbHorizontal, TScrollBarKind::sbVertical}) {
    SetScrollRange(bar, 0, 0);
  }
  grid_.View().AttachWindow(this);
  input_.WindowAttached();
  NoteShowing();
}

// The window itself goes with the base, after the grid and the marker.
TCellGridWindow::~TCellGridWindow() {
  // The grid keeps the window's size; the window's last messages go to the default handling.
  grid_.View().AttachWindow(nullptr);
  if (accessible_ != nullptr) {
    accessible_->Disconnect();
    accessible_->Release();
  }
  pan_marker_.reset();
}

void TCellGridWindow::SetBounds(int x, int y, int width, int height) {
  SetWindowPos(Handle(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TCellGridWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  // The messages of the creation, and the last ones, come while the grid has no window.
  if (grid_.View().Window() == nullptr) return TWindow::HandleMessage(message, wparam, lparam);
  if (message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK) {
    input_.Guarded([&] { MouseButton(message, wparam, lparam); });
    return 0;
  }
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_PRINTCLIENT:
      PrintClient(reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the painter covers every pixel
    case WM_NCPAINT: {
      if (changing_bars_) {
        PostFramePaint();
        return 0;
      }
      // Windows draws the edge and the bars; the grid's frame goes over the edge.
      const LRESULT result = TWindow::HandleMessage(message, wparam, lparam);
      Guarded([this] { PaintFrame(); });
      return result;
    }
    case WM_SIZE:
      Guarded([this] { grid_.WindowResized(); });
      return 0;
    case WM_WINDOWPOSCHANGED: {
      const auto* position = reinterpret_cast<const WINDOWPOS*>(lparam);
      // The default handling sends WM_SIZE.
      const LRESULT result = TWindow::HandleMessage(message, wparam, lparam);
      if (position->flags & SWP_HIDEWINDOW) told_showing_ = false;
      if (position->flags & SWP_SHOWWINDOW) Guarded([this] { NoteShowing(); });
      return result;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
      const TScrollBarKind bar =
          message == WM_HSCROLL ? TScrollBarKind::sbHorizontal : TScrollBarKind::sbVertical;
      input_.Guarded([&] { Scroll(bar, wparam); });
      return 0;
    }
    case WM_MOUSEMOVE:
      input_.Guarded([&] { input_.MouseMove(MouseShift(wparam), PointOf(lparam)); });
      return 0;
    case WM_MOUSEWHEEL:
      input_.Guarded([&] { Wheel(wparam, lparam); });
      return 0;
    case WM_KEYDOWN: {
      bool used = true;
      input_.Guarded(
          [&] { used = input_.KeyDown(static_cast<std::uint16_t>(wparam), KeyShift()); });
      return used ? 0 : TWindow::HandleMessage(message, wparam, lparam);
    }
    case WM_SETFOCUS:
      active_control_ = true;
      input_.Guarded([this] { input_.FocusGained(); });
      return 0;
    case WM_KILLFOCUS:
      FocusLeaving(reinterpret_cast<HWND>(wparam));
      input_.Guarded([this] { input_.FocusLost(); });
      return 0;
    case WM_CANCELMODE:
      Guarded([this] { input_.CancelMode(); });
      // The default handling lets go of any capture still held.
      return TWindow::HandleMessage(message, wparam, lparam);
    case WM_GETOBJECT:
      if (!AsksForClientObject(lparam)) break;
      return AccessibleObject(wparam);
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case kPaintFrameMessage:
      frame_paint_posted_ = false;
      RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASENOW);
      return 0;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wparam) != Handle() || LOWORD(lparam) != HTCLIENT ||
          !SetCursorShape()) {
        break;
      }
      return TRUE;
    default:
      break;
  }
  return TWindow::HandleMessage(message, wparam, lparam);
}

void TCellGridWindow::NoteShowing() {
  if (told_showing_ || !Showing()) return;
  told_showing_ = true;
  grid_.WindowShown();
}

// ---- Painting ----

void TCellGridWindow::Paint() {
  // Before BeginPaint: setting the bars' ranges may change the client area to be painted.
  Guarded([this] { NoteShowing(); });
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(Handle(), &paint);
  Guarded([&] {
    TGdiCanvas canvas(dc, FromRECT(paint.rcPaint));
    TGridPainter(grid_).PaintClientArea(canvas);
  });
  EndPaint(Handle(), &paint);
  Guarded([this] { AnnounceChanges(); });
}

// The whole client area into a device context of the caller's (a printout, a screenshot).
void TCellGridWindow::PrintClient(HDC dc) {
  Guarded([&] {
    TGdiCanvas canvas(dc, ClientRect());
    TGridPainter(grid_).PaintClientArea(canvas);
  });
}

void TCellGridWindow::PostFramePaint() {
  if (frame_paint_posted_) return;
  frame_paint_posted_ = PostMessageW(Handle(), kPaintFrameMessage, 0, 0) != FALSE;
}

void TCellGridWindow::PaintFrame() {
  const TWindowDC dc = WholeWindowDC(Handle());
  if (dc.Get() == nullptr) return;
  const std::int32_t width = Width();
  const std::int32_t height = Height();
  TGdiCanvas canvas(dc.Get(), {0, 0, width, height});
  TGridPainter(grid_).PaintFrame(canvas, width, height, ParentColor(Handle()));
}

// ---- Screen readers ----

LRESULT TCellGridWindow::AccessibleObject(WPARAM wparam) {
  if (accessible_ == nullptr) accessible_ = new TGridAccessible(*this);
  return LresultFromObject(IID_IAccessible, wparam, accessible_);
}

void TCellGridWindow::AnnounceChanges() {
  RaiseWinEvents(Handle(), told_screen_readers_.Update(grid_, Focused()));
}

// ---- Input ----

void TCellGridWindow::MouseButton(UINT message, WPARAM wparam, LPARAM lparam) {
  // The button messages come in threes, left, right then middle: down, up, double-click.
  static_assert(WM_LBUTTONUP - WM_LBUTTONDOWN == int(TMouseAction::kUp) &&
                WM_LBUTTONDBLCLK - WM_LBUTTONDOWN == int(TMouseAction::kDoubleClick) &&
                WM_RBUTTONDOWN - WM_LBUTTONDOWN == 3 * int(TMouseButton::mbRight) &&
                WM_MBUTTONDOWN - WM_LBUTTONDOWN == 3 * int(TMouseButton::mbMiddle));
  const UINT index = message - WM_LBUTTONDOWN;
  input_.MouseButton(static_cast<TMouseAction>(index % 3), static_cast<TMouseButton>(index / 3),
                     MouseShift(wparam), PointOf(lparam));
}

void TCellGridWindow::Scroll(TScrollBarKind bar, WPARAM wparam) {
  const int code = LOWORD(wparam);
  // The SB_ codes come in the order of TScrollCode, SB_LINEUP to SB_ENDSCROLL.
  if (code < SB_LINEUP || code > SB_ENDSCROLL) return;
  // The message carries only 16 bits of the thumb's place; the bar keeps all of it.
  const SCROLLINFO info = ReadBar(Handle(), bar, SIF_POS | SIF_TRACKPOS);
  const bool thumb = code == SB_THUMBTRACK || code == SB_THUMBPOSITION;
  grid_.View().ScrollMessage(bar, static_cast<TScrollCode>(code),
                             thumb ? info.nTrackPos : info.nPos);
}

void TCellGridWindow::Wheel(WPARAM wparam, LPARAM lparam) {
  // Windows sends the wheel to the focused window, wherever the pointer is, with the pointer's
  // place on the screen.
  POINT screen = MessagePoint(lparam);
  ScreenToClient(Handle(), &screen);
  static_assert(WHEEL_DELTA == TGridInput::kWheelNotch);
  const TShiftState shift = MouseShift(GET_KEYSTATE_WPARAM(wparam));
  input_.MouseWheel(GET_WHEEL_DELTA_WPARAM(wparam), shift, {screen.x, screen.y});
}

void TCellGridWindow::FocusLeaving(HWND next) {
  // Another control of the same top-level window becomes its focused one; a focus that leaves
  // the window altogether comes back to the grid.
  const HWND root = GetAncestor(Handle(), GA_ROOT);
  if (next != nullptr && GetAncestor(next, GA_ROOT) == root) active_control_ = false;
}

bool TCellGridWindow::SetCursorShape() {
  if (input_.Cursor() == TGridCursor::crDefault) return false;
  ::SetCursor(PanCursor(input_.Cursor()));
  return true;
}

// ---- IGridWindow ----

bool TCellGridWindow::Showing() const { return IsWindowVisible(Handle()) != FALSE; }

std::int32_t TCellGridWindow::Width() const { return WindowBounds(Handle()).Width(); }
std::int32_t TCellGridWindow::Height() const { return WindowBounds(Handle()).Height(); }

void TCellGridWindow::SetSize(std::int32_t width, std::int32_t height) {
  SetWindowPos(Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TRect TCellGridWindow::ClientRect() const {
  RECT rect{};
  GetClientRect(Handle(), &rect);
  return FromRECT(rect);
}

void TCellGridWindow::Invalidate(const TRect& rect) {
  if (rect.IsEmpty()) return;
  const RECT area = ToRECT(rect);
  InvalidateRect(Handle(), &area, FALSE);
}

void TCellGridWindow::FlushPaints() { UpdateWindow(Handle()); }

void TCellGridWindow::ScrollContents(const TRect& area, std::int32_t dx, std::int32_t dy) {
  const RECT scrolled = ToRECT(area);
  ScrollWindowEx(Handle(), dx, dy, &scrolled, &scrolled, nullptr, nullptr, SW_INVALIDATE);
}

void TCellGridWindow::InvalidateFrame() {
  // Only the edge and the bars, which lie outside the client area: in client coordinates the
  // window reaches from minus the edge's width to the client size plus the rest.
  const TRect bounds = WindowBounds(Handle());
  POINT origin{bounds.Left, bounds.Top};
  ScreenToClient(Handle(), &origin);
  const TRegionHandle frame(
      CreateRectRgn(origin.x, origin.y, origin.x + Width(), origin.y + Height()));
  const TRect client = ClientRect();
  const TRegionHandle inside(CreateRectRgn(0, 0, client.Right, client.Bottom));
  CombineRgn(frame.Get(), frame.Get(), inside.Get(), RGN_DIFF);
  RedrawWindow(Handle(), nullptr, frame.Get(), RDW_FRAME | RDW_INVALIDATE | RDW_NOERASE);
}

void TCellGridWindow::SetScrollRange(TScrollBarKind bar, std::int32_t min, std::int32_t max) {
  // Windows redraws the bar at every call, even when its range stays the same, and the grid
  // asks again after each line whose size changes: a zoom asks dozens of times.
  const SCROLLINFO shown = ReadBar(Handle(), bar, SIF_RANGE);
  if (shown.nMin == min && shown.nMax == max) return;
  // A bar whose range is empty is hidden, and the client area grows at once.
  changing_bars_ = true;
  WriteBar(Handle(), bar, {sizeof(SCROLLINFO), SIF_RANGE, min, max, 0, 0, 0});
  changing_bars_ = false;
}

bool TCellGridWindow::ScrollBarShown(TScrollBarKind bar) const {
  const SCROLLINFO info = ReadBar(Handle(), bar, SIF_RANGE);
  return info.nMin < info.nMax;
}

std::int32_t TCellGridWindow::ScrollPos(TScrollBarKind bar) const {
  return ReadBar(Handle(), bar, SIF_POS).nPos;
}

void TCellGridWindow::SetScrollPos(TScrollBarKind bar, std::int32_t pos) {
  WriteBar(Handle(), bar, {sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0});
}

std::int32_t TCellGridWindow::ScrollBarThickness(TScrollBarKind bar) const {
  return GetSystemMetrics(bar == TScrollBarKind::sbVertical ? SM_CXVSCROLL : SM_CYHSCROLL);
}

void TCellGridWindow::SetCapture() { ::SetCapture(Handle()); }

void TCellGridWindow::ReleaseCapture() {
  if (HasCapture()) ::ReleaseCapture();
}

bool TCellGridWindow::HasCapture() const { return GetCapture() == Handle(); }

void TCellGridWindow::SendCancelModeToFocused() {
  const HWND focused = GetFocus();
  if (focused == nullptr || focused == Handle() ||
      GetAncestor(focused, GA_ROOT) != GetAncestor(Handle(), GA_ROOT)) {
    return;
  }
  SendMessageW(focused, WM_CANCELMODE, 0, 0);
}

bool TCellGridWindow::CanFocus() const {
  return Showing() && IsWindowEnabled(Handle()) &&
         (GetWindowLongW(Handle(), GWL_STYLE) & WS_TABSTOP) != 0;
}

void TCellGridWindow::SetFocus() { ::SetFocus(Handle()); }
bool TCellGridWindow::Focused() const { return GetFocus() == Handle(); }
bool TCellGridWindow::IsActiveControl() const { return active_control_; }

TPoint TCellGridWindow::PointerPos() const {
  POINT pointer{};
  GetCursorPos(&pointer);
  ScreenToClient(Handle(), &pointer);
  return {pointer.x, pointer.y};
}

void TCellGridWindow::SetCursor(TGridCursor cursor) {
  // The shape shows at once when the pointer is over the window or the window holds the mouse;
  // WM_SETCURSOR keeps it there afterwards.
  const TPoint pointer = PointerPos();
  if (HasCapture() || ClientRect().Contains(pointer)) ::SetCursor(PanCursor(cursor));
}

void TCellGridWindow::DrawPanOrigin(TPoint origin) { pan_marker_->ShowAt(origin); }
void TCellGridWindow::ErasePanOrigin() { pan_marker_->Hide(); }

std::int32_t TCellGridWindow::WheelScrollLines() const {
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  // "A page per notch" is not a count of lines; the grid then scrolls the usual three.
  return lines == WHEEL_PAGESCROLL ? 3 : static_cast<std::int32_t>(lines);
}

}  // namespace zelvorn
