#include "controls/grid/win32/cell_grid_window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

#include "controls/grid/grid_painter.h"
#include "controls/grid/win32/pan_indicators.h"
#include "platform/error_boundary.h"
#include "platform/win32/accessible_object.h"
#include "platform/win32/timer_source.h"

namespace zelvorn {
namespace {

constexpr wchar_t kParentClass[] = L"CellGridWindowTestParent";
constexpr int kWidth = 200;
constexpr int kHeight = 150;

// A grid window of 10 x 20 cells of 64 x 24 pixels, without fixed cells, on a parent window at
// the corner of the screen.
class CellGridWindowTest : public ::testing::Test {
 protected:
  // One parent for all cases: mapping a top-level window takes Wine a while.
  static void SetUpTestSuite() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    TCellGridWindow::RegisterWindowClass(instance);
    WNDCLASSEXW parent_class{};
    parent_class.cbSize = sizeof(parent_class);
    parent_class.lpfnWndProc = DefWindowProcW;
    parent_class.hInstance = instance;
    parent_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    parent_class.lpszClassName = kParentClass;
    RegisterClassExW(&parent_class);
    parent_ = CreateWindowExW(0, kParentClass, L"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                              nullptr, instance, nullptr);
  }
  static void TearDownTestSuite() { DestroyWindow(parent_); }

  void SetUp() override {
    ASSERT_NE(parent_, nullptr);
    window_ = std::make_unique<TCellGridWindow>(parent_, 1, 0, 0, kWidth, kHeight);
    TCellGrid& grid = window_->Grid();
    grid.SetDefaultColWidth(64);
    grid.SetDefaultRowHeight(24);
    grid.SetColCount(10);
    grid.SetRowCount(20);
    grid.SetFixedCols(0);
    grid.SetFixedRows(0);
    previous_reporter_ = SetErrorReporter([this](std::exception_ptr) { ++reports_; });
  }

  void TearDown() override {
    SetErrorReporter(previous_reporter_);
    window_.reset();
  }

  HWND Grid() const { return window_->Handle(); }
  LRESULT Send(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
    return SendMessageW(Grid(), message, wparam, lparam);
  }
  // A left click on the middle of a cell.
  void Click(int col, int row) {
    const LPARAM point = MAKELPARAM(col * 64 + 32, row * 24 + 12);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, point);
    Send(WM_LBUTTONUP, 0, point);
  }
  SCROLLINFO Bar(int bar) const {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_POS;
    GetScrollInfo(Grid(), bar, &info);
    return info;
  }
  // The largest top row: the rows that fit fully in the client area come from it on.
  int LastTopRow() const {
    RECT client{};
    GetClientRect(Grid(), &client);
    return 20 - client.bottom / 24;
  }

  static inline HWND parent_ = nullptr;
  // The grid's timers tick on the thread's timers, as under the application.
  TWin32TimerSource timers_;
  TScopedTimerSource timer_scope_{timers_};
  std::unique_ptr<TCellGridWindow> window_;
  TErrorReporter previous_reporter_;
  int reports_ = 0;
};

TEST_F(CellGridWindowTest, APressRaisesOnClickCellOnceAfterTakingTheFocusAndTheMouse) {
  std::vector<std::pair<int, int>> clicks;
  window_->Grid().Events.OnClickCell = [&](TCellGrid& grid, std::int32_t row, std::int32_t col) {
    EXPECT_EQ(GetFocus(), Grid());
    EXPECT_EQ(grid.Col(), col);
    EXPECT_EQ(grid.Row(), row);
    clicks.emplace_back(row, col);
  };
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(64 + 10, 48 + 5));
  EXPECT_EQ(GetCapture(), Grid());
  Send(WM_LBUTTONUP, 0, MAKELPARAM(64 + 10, 48 + 5));
  EXPECT_NE(GetCapture(), Grid());
  // A double-click's second press raises no click.
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(64 + 10, 48 + 5));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(64 + 10, 48 + 5));
  EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{2, 1}}));
}

TEST_F(CellGridWindowTest, ArrowKeysMoveTheCurrentCellAndTabIsLeftToTheDialog) {
  EXPECT_EQ(Send(WM_GETDLGCODE), DLGC_WANTARROWS);
  std::vector<std::uint16_t> keys;
  window_->Grid().Events.OnKeyDown = [&](TCellGrid&, std::uint16_t& key, TShiftState) {
    keys.push_back(key);
  };
  const struct {
    WPARAM key;
    int col;
    int row;
  } steps[] = {{VK_RIGHT, 1, 0}, {VK_DOWN, 1, 1}, {VK_DOWN, 1, 2},
               {VK_LEFT, 0, 2},  {VK_UP, 0, 1},   {VK_TAB, 0, 1}};
  for (const auto& step : steps) {
    Send(WM_KEYDOWN, step.key);
    EXPECT_EQ(window_->Grid().Col(), step.col) << step.key;
    EXPECT_EQ(window_->Grid().Row(), step.row) << step.key;
  }
  // The grid hears every key but Tab.
  EXPECT_EQ(keys, (std::vector<std::uint16_t>{VK_RIGHT, VK_DOWN, VK_DOWN, VK_LEFT, VK_UP}));
}

TEST_F(CellGridWindowTest, ScrollMessagesMoveTheTopRowAndTheBarsThumb) {
  const SCROLLINFO vertical = Bar(SB_VERT);
  EXPECT_EQ(vertical.nMin, 0);
  EXPECT_EQ(vertical.nMax, 127);
  const struct {
    WPARAM code;
    int top_row;
  } steps[] = {
      {SB_LINEDOWN, 1}, {SB_LINEDOWN, 2}, {SB_LINEUP, 1}, {SB_BOTTOM, LastTopRow()}, {SB_TOP, 0}};
  for (const auto& step : steps) {
    Send(WM_VSCROLL, step.code);
    EXPECT_EQ(window_->Grid().TopRow(), step.top_row) << step.code;
    EXPECT_EQ(Bar(SB_VERT).nPos, MulDiv(step.top_row, 127, LastTopRow())) << step.code;
  }
  Send(WM_HSCROLL, SB_LINEDOWN);
  EXPECT_EQ(window_->Grid().LeftCol(), 1);
  EXPECT_GT(Bar(SB_HORZ).nPos, 0);
}

TEST_F(CellGridWindowTest, TheWheelMovesTheCurrentRowByWholeNotches) {
  const int lines = window_->Input().WheelLines();
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-2 * WHEEL_DELTA)), 0);
  EXPECT_EQ(window_->Grid().Row(), 2 * (lines + 1));
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(window_->Grid().Row(), lines + 1);
}

// Dispatches this thread's messages until `done` holds, for at most `limit_ms`.
template <class TCondition>
bool PumpUntil(TCondition done, DWORD limit_ms = 2000) {
  const DWORD start = GetTickCount();
  while (!done() && GetTickCount() - start < limit_ms) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(5);
  }
  return done();
}

// The real pointer and the real pan timer: the marker shows at the press, the pointer below it
// runs the current cell down with the downward cursor, and a second press ends it all.
TEST_F(CellGridWindowTest, MiddleButtonPanningFollowsThePointerOnItsOwnTimer) {
  const POINT origin{100, 60};
  POINT below{100, 120};
  ClientToScreen(Grid(), &below);
  Send(WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(origin.x, origin.y));
  Send(WM_MBUTTONUP, 0, MAKELPARAM(origin.x, origin.y));
  const HWND marker = FindWindowExW(Grid(), nullptr, L"TCellGridPanOrigin", nullptr);
  ASSERT_NE(marker, nullptr);
  EXPECT_TRUE(IsWindowVisible(marker));
  RECT mark{};
  GetWindowRect(marker, &mark);
  MapWindowPoints(nullptr, Grid(), reinterpret_cast<POINT*>(&mark), 2);
  EXPECT_EQ((mark.left + mark.right) / 2, origin.x);
  EXPECT_EQ((mark.top + mark.bottom) / 2, origin.y);

  SetCursorPos(below.x, below.y);
  EXPECT_TRUE(PumpUntil([&] { return window_->Grid().Row() >= 3; }));
  EXPECT_EQ(GetCursor(), PanCursor(TGridCursor::crPanDown));
  EXPECT_EQ(window_->Grid().Col(), 0);

  Send(WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(origin.x, origin.y));
  EXPECT_FALSE(IsWindowVisible(marker));
  const int row = window_->Grid().Row();
  PumpUntil([] { return false; }, 200);  // twenty ticks, had the timer gone on
  EXPECT_EQ(window_->Grid().Row(), row);
}

TEST_F(CellGridWindowTest, AFailingHandlerIsReportedOnceWithTheMouseFreeAndTheGridGoesOn) {
  bool fail = true;
  int clicks = 0;
  window_->Grid().Events.OnClickCell = [&](TCellGrid&, std::int32_t, std::int32_t) {
    ++clicks;
    if (fail) throw std::runtime_error("handler failed");
  };
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_EQ(reports_, 1);
  EXPECT_NE(GetCapture(), Grid());
  fail = false;
  Click(1, 1);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(reports_, 1);
  EXPECT_EQ(window_->Grid().Row(), 1);
}

TEST_F(CellGridWindowTest, PrintingTheClientAreaPaintsTheCellsLinesAndTexts) {
  window_->Grid().SetCells(1, 1, "8");
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  const COLORREF silver = 0xC0C0C0;
  // Lines on each cell's right and bottom edge, the window colour inside.
  EXPECT_EQ(GetPixel(dc, 63, 30), silver);
  EXPECT_EQ(GetPixel(dc, 127, 30), silver);
  EXPECT_EQ(GetPixel(dc, 100, 23), silver);
  EXPECT_EQ(GetPixel(dc, 100, 47), silver);
  EXPECT_EQ(GetPixel(dc, 100, 60), window);
  EXPECT_EQ(GetPixel(dc, 140, 30), window);
  // The text, centred at the top of its cell.
  int ink = 0;
  for (int y = 24; y < 47; ++y) {
    for (int x = 64; x < 127; ++x) ink += GetPixel(dc, x, y) != window;
  }
  EXPECT_GT(ink, 5);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

// The table a screen reader gets over MSAA: child ids from 1, cells beyond the view offscreen, a
// range selection as an enumeration of the cells' child ids, navigation to child ids or none, and
// the object the client still holds answering "disconnected" once the window is gone.
TEST_F(CellGridWindowTest, ScreenReadersReadTheTableAndKeepASafeObjectAfterTheWindow) {
  window_->Grid().SetCells(1, 0, "42");
  window_->Grid().SetSelection({1, 0, 2, 1});  // columns 1-2 of rows 0-1
  IAccessible* table = nullptr;
  const LRESULT answer = Send(WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
  ASSERT_TRUE(
      SUCCEEDED(ObjectFromLresult(answer, IID_IAccessible, 0, reinterpret_cast<void**>(&table))));
  auto child = [](long id) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    return v;
  };
  BSTR name = nullptr;
  ASSERT_EQ(table->get_accName(child(2), &name), S_OK);  // row 0, column 1
  EXPECT_STREQ(name, L"42");
  SysFreeString(name);
  long count = 0;
  table->get_accChildCount(&count);
  EXPECT_EQ(count, 200);
  VARIANT state;
  table->get_accState(child(1), &state);
  EXPECT_EQ(state.lVal & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_OFFSCREEN), 0);
  table->get_accState(child(200), &state);  // row 19, scrolled out of view
  EXPECT_EQ(state.lVal & STATE_SYSTEM_OFFSCREEN, STATE_SYSTEM_OFFSCREEN);

  VARIANT selection;
  ASSERT_EQ(table->get_accSelection(&selection), S_OK);
  ASSERT_EQ(selection.vt, VT_UNKNOWN);
  IEnumVARIANT* cells = nullptr;
  selection.punkVal->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&cells));
  selection.punkVal->Release();
  ASSERT_NE(cells, nullptr);
  VARIANT ids[5];
  ULONG fetched = 0;
  EXPECT_EQ(cells->Next(5, ids, &fetched), S_FALSE);
  std::vector<long> got;
  for (ULONG i = 0; i < fetched; ++i) got.push_back(ids[i].lVal);
  EXPECT_EQ(got, (std::vector<long>{2, 3, 12, 13}));
  cells->Release();

  struct TStep {
    long from, direction, to;  // to -1: none
  };
  for (const TStep& step : {TStep{1, NAVDIR_RIGHT, 2}, TStep{10, NAVDIR_RIGHT, -1},
                            TStep{1, NAVDIR_DOWN, 11}, TStep{0, NAVDIR_LASTCHILD, 200}}) {
    VARIANT end;
    table->accNavigate(step.direction, child(step.from), &end);
    EXPECT_EQ(end.vt == VT_I4 ? end.lVal : -1, step.to) << step.from << " " << step.direction;
  }

  window_.reset();
  EXPECT_EQ(table->get_accChildCount(&count), RPC_E_DISCONNECTED);
  EXPECT_EQ(table->get_accName(child(2), &name), RPC_E_DISCONNECTED);
  table->Release();
}

// The frame a change of lines leaves to be painted afterwards: however often the bars show and
// hide in one go, once the messages have been handled no pixel of the frame is left unpainted,
// and the edge carries the grid's frame over the parent's colour.
TEST_F(CellGridWindowTest, TheFrameIsPaintedAfterBarsShowAndHideInOneGo) {
  struct TCounts {
    int cols, rows;
  };
  struct TChange {
    const char* name;
    std::vector<TCounts> steps;  // taken in one go, without a message in between
    bool horizontal, vertical;   // the bars shown at the end
  };
  const COLORREF unpainted = 0xFF00FF;
  const COLORREF frame = window_->Grid().ThemesActive() ? TGridPainter::kThemedFrameColor
                                                        : TGridPainter::kPlainFrameColor;
  for (const TChange& change :
       {TChange{"both hide", {{2, 3}}, false, false},
        TChange{"both show, hide and show", {{10, 20}, {2, 3}, {10, 20}}, true, true},
        TChange{"to and fro, the vertical one last",
                {{2, 3}, {10, 20}, {2, 3}, {2, 20}},
                false,
                true}}) {
    PumpUntil([] { return false; }, 50);
    RECT bounds{};
    GetWindowRect(Grid(), &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    const HDC dc = GetWindowDC(Grid());
    const HBRUSH brush = CreateSolidBrush(unpainted);
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    for (const TCounts& counts : change.steps) {
      window_->Grid().SetColCount(counts.cols);
      window_->Grid().SetRowCount(counts.rows);
    }
    PumpUntil([] { return false; }, 50);

    EXPECT_EQ(window_->ScrollBarShown(TScrollBarKind::sbHorizontal), change.horizontal)
        << change.name;
    EXPECT_EQ(window_->ScrollBarShown(TScrollBarKind::sbVertical), change.vertical) << change.name;
    // The client area in the window's coordinates: the grid paints inside it, the frame outside.
    POINT client_origin{0, 0};
    ClientToScreen(Grid(), &client_origin);
    RECT client{};
    GetClientRect(Grid(), &client);
    OffsetRect(&client, client_origin.x - bounds.left, client_origin.y - bounds.top);
    int left_unpainted = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const POINT point{x, y};
        if (!PtInRect(&client, point)) left_unpainted += GetPixel(dc, x, y) == unpainted;
      }
    }
    EXPECT_EQ(left_unpainted, 0) << change.name;
    EXPECT_EQ(GetPixel(dc, 0, height / 2), GetSysColor(COLOR_BTNFACE)) << change.name;
    EXPECT_EQ(GetPixel(dc, 1, height / 2), frame) << change.name;
    ReleaseDC(Grid(), dc);
  }
}
}  // namespace
}  // namespace zelvorn
