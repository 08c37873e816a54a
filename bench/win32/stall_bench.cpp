// How long the Windows program keeps its message loop busy, and so leaves the window manager's
// pings unanswered, after what redraws the whole board: 开始训练 at 5 × 5 and 9 × 9 (and three
// presses in a row), each Ctrl+wheel zoom step, and a long drag over the board.
//
// The program's application and main window run here on this thread, in a message loop that
// times every message it dispatches. A second thread sends the window WM_NULL every millisecond
// and times each answer, as a window manager's ping would be answered; a third moves the mouse,
// presses its buttons and the keys through SendInput, as a person would, and waits after each
// step until the loop has been idle for a while. Prints one line per step:
//   <step>|<longest wait for an answer, ms>|<longest message, ms>|<to the board painted, ms>
// the last one "-" when the step did not repaint the board. `make windows-bench` runs it.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/win32/application.h"
#include "app/win32/form_main.h"
#include "controls/grid/win32/cell_grid_window.h"
#include "platform/win32/windows_api.h"

namespace zelvorn {
namespace {

// The loop counts as settled once it has dispatched nothing for this long.
constexpr double kSettledMs = 300;
constexpr double kMaxStepMs = 20000;
// A mouse reports its moves about this often.
constexpr DWORD kMoveIntervalMs = 8;

double NowMs() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / frequency;
}

struct TSpan {
  double start;
  double end;
  bool board_paint;
};

// What the loop and the pinger saw, shared with the driver.
class TLog {
 public:
  void Dispatched(TSpan span) {
    const std::lock_guard lock(mutex_);
    dispatches_.push_back(span);
  }
  void Pinged(TSpan span) {
    const std::lock_guard lock(mutex_);
    pings_.push_back(span);
  }
  double LastActivity() const {
    const std::lock_guard lock(mutex_);
    return dispatches_.empty() ? 0 : dispatches_.back().end;
  }
  // The figures of a step that began at `from`.
  std::string Figures(double from) const {
    const std::lock_guard lock(mutex_);
    double longest_ping = 0;
    double longest_message = 0;
    double painted = -1;
    for (const TSpan& ping : pings_) {
      if (ping.end >= from)
        longest_ping = std::max(longest_ping, ping.end - std::max(ping.start, from));
    }
    for (const TSpan& message : dispatches_) {
      if (message.end < from) continue;
      longest_message = std::max(longest_message, message.end - std::max(message.start, from));
      if (message.board_paint) painted = message.end - from;
    }
    char line[96];
    if (painted < 0) {
      std::snprintf(line, sizeof line, "%.1f|%.1f|-", longest_ping, longest_message);
    } else {
      std::snprintf(line, sizeof line, "%.1f|%.1f|%.1f", longest_ping, longest_message, painted);
    }
    return line;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<TSpan> dispatches_;
  std::vector<TSpan> pings_;
};

void Send(INPUT input) { SendInput(1, &input, sizeof input); }

void MoveTo(POINT point) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  // Absolute moves are in 0..65535 across the screen.
  input.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  Send(input);
}

void Button(DWORD flag) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flag;
  Send(input);
}

void Click(POINT point) {
  MoveTo(point);
  Button(MOUSEEVENTF_LEFTDOWN);
  Button(MOUSEEVENTF_LEFTUP);
}

void Key(WORD key, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  Send(input);
}

void Wheel(int delta) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.mouseData = static_cast<DWORD>(delta);
  input.mi.dwFlags = MOUSEEVENTF_WHEEL;
  Send(input);
}

POINT MiddleOf(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// Moves the mouse, presses the keys and reports each step's figures.
class TDriver {
 public:
  TDriver(TLog& log, TForm_main& form) : log_(log), form_(form) {}

  void Run() {
    Settle();
    const POINT start = MiddleOf(form_.Button1->Handle());
    Step("start 5x5", [&] { Click(start); });
    // The chooser's own message, as picking 9×9 from its list ends in.
    SendMessageW(form_.ComboBox1->Handle(), CB_SETCURSEL, 4, 0);
    Step("start 9x9", [&] { Click(start); });
    Step("start 9x9, three presses in a row", [&] {
      for (int press = 0; press < 3; ++press) {
        Click(start);
        Sleep(100);
      }
    });
    // The wheel goes to the focused window: the grid takes the focus with a press on the 1.
    Step("click the 1", [&] { Click(CellHolding("1")); });
    int zoom = 0;
    for (const int notch : {1, 1, 1, -1, -1, -1, -1, -1, -1, 1, 1, 1}) {
      // Turned towards the person, the wheel zooms in by the lines of one notch.
      zoom += notch * 3;
      // Ctrl stays down until the notch has been handled, as a person's finger does.
      Step("zoom to " + std::to_string(zoom) + " px", [&] {
        Key(VK_CONTROL, true);
        Wheel(-notch * WHEEL_DELTA);
        Settle();
        Key(VK_CONTROL, false);
      });
    }
    Step("drag over the board for 1.5 s", [&] { Drag(1500); });
    PostMessageW(form_.Handle(), WM_CLOSE, 0, 0);
  }

 private:
  void Step(const std::string& name, const std::function<void()>& action) {
    const double from = NowMs();
    action();
    Settle();
    std::printf("%s|%s\n", name.c_str(), log_.Figures(from).c_str());
    std::fflush(stdout);
  }

  void Settle() {
    const double began = NowMs();
    Sleep(static_cast<DWORD>(kSettledMs));
    while (NowMs() - std::max(log_.LastActivity(), began) < kSettledMs &&
           NowMs() - began < kMaxStepMs) {
      Sleep(10);
    }
  }

  // The middle of the cell showing `text` on the screen; read while the loop is settled.
  POINT CellHolding(const std::string& text) const {
    const TCellGrid& grid = form_.CellGrid1->Grid();
    for (int col = 0; col < grid.ColCount(); ++col) {
      for (int row = 0; row < grid.RowCount(); ++row) {
        if (grid.Cells(col, row) == text) return CellMiddle(col, row);
      }
    }
    return CellMiddle(0, 0);
  }

  POINT CellMiddle(int col, int row) const {
    const TCellGrid& grid = form_.CellGrid1->Grid();
    POINT point{col * grid.DefaultColWidth() + grid.DefaultColWidth() / 2,
                row * grid.DefaultRowHeight() + grid.DefaultRowHeight() / 2};
    ClientToScreen(form_.CellGrid1->Handle(), &point);
    return point;
  }

  // Down on the first cell, then back and forth over every row, at a mouse's pace.
  void Drag(double duration_ms) {
    const TCellGrid& grid = form_.CellGrid1->Grid();
    const POINT first = CellMiddle(0, 0);
    const POINT last = CellMiddle(grid.ColCount() - 1, grid.RowCount() - 1);
    MoveTo(first);
    Button(MOUSEEVENTF_LEFTDOWN);
    const int moves = static_cast<int>(duration_ms / kMoveIntervalMs);
    const int rows = grid.RowCount();
    for (int move = 1; move <= moves; ++move) {
      // A zigzag: across a row and down to the next, evenly in time.
      const double along = static_cast<double>(move) / moves * rows;
      const int row = std::min(static_cast<int>(along), rows - 1);
      double across = along - row;
      if (row % 2 == 1) across = 1 - across;
      MoveTo({first.x + static_cast<LONG>(across * (last.x - first.x)),
              first.y + MulDiv(last.y - first.y, row, std::max(1, rows - 1))});
      Sleep(kMoveIntervalMs);
    }
    Button(MOUSEEVENTF_LEFTUP);
  }

  TLog& log_;
  TForm_main& form_;
};

// The program's loop, as the application runs it, timing each message it dispatches.
void RunTimedLoop(TLog& log, HWND form, HWND board) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    const double start = NowMs();
    if (!IsDialogMessageW(form, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    log.Dispatched({start, NowMs(), message.hwnd == board && message.message == WM_PAINT});
  }
}

int Run() {
  TApplication application(GetModuleHandleW(nullptr));
  application.CreateForm<TForm_main>();
  auto& form = static_cast<TForm_main&>(*application.MainForm());
  TLog log;
  std::atomic<bool> running{true};
  std::atomic<bool> pinger_done{false};
  std::thread pinger([&] {
    while (running) {
      const double start = NowMs();
      SendMessageTimeoutW(form.Handle(), WM_NULL, 0, 0, SMTO_NORMAL, 30000, nullptr);
      log.Pinged({start, NowMs(), false});
      Sleep(1);
    }
    pinger_done = true;
  });
  ShowWindow(form.Handle(), SW_SHOWNORMAL);
  UpdateWindow(form.Handle());
  TDriver driver(log, form);
  std::thread steps([&] { driver.Run(); });
  RunTimedLoop(log, form.Handle(), form.CellGrid1->Handle());
  steps.join();
  // The last ping may wait for an answer: the loop is over, but sent messages still get one.
  running = false;
  while (!pinger_done) {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    Sleep(1);
  }
  pinger.join();
  return 0;
}

}  // namespace
}  // namespace zelvorn

int main() { return zelvorn::Run(); }
