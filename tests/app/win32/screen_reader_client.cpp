// The Windows program as a screen reader reads it over Microsoft Active Accessibility, from
// another process of the same Wine session: it hooks the program's events out of context,
// starts it, reads each control's client object, presses 开始训练, clicks the cell of 1 and moves
// the current cell with real input (SendInput), and checks what it heard.
//
// Usage: screen_reader_client <zelvorn.exe>
// Prints "ok: …" or "FAILED: …" per check and exits with the number of failures; 2 more when the
// program did not come up.
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "platform/win32/utf16.h"
#include "platform/win32/windows_api.h"

namespace zelvorn {
namespace {

constexpr DWORD kWaitMs = 20000;
// The controls' ids in the main window (TForm_main).
constexpr int kComboBox1Id = 101;
constexpr int kButton1Id = 102;
constexpr int kVosTimeBox1Id = 103;
constexpr int kCellGrid1Id = 104;

int failures = 0;

void Check(const std::string& what, const std::string& got, const std::string& expected) {
  if (got == expected) {
    std::printf("ok: %s\n", what.c_str());
  } else {
    std::printf("FAILED: %s: got '%s', expected '%s'\n", what.c_str(), got.c_str(),
                expected.c_str());
    ++failures;
  }
  std::fflush(stdout);
}
void Check(const std::string& what, long got, long expected) {
  Check(what, std::to_string(got), std::to_string(expected));
}

// ---- Events, as the hook hears them ----

struct TEvent {
  DWORD event;
  HWND window;
  LONG child;
};
// The hook is called again while a cross-process call of ours waits, so it only queues; the
// checks read the queue afterwards.
std::vector<TEvent> heard;

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT) heard.push_back({event, window, child});
}

// Lets the hook's calls in while waiting.
void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(10);
  } while (GetTickCount() - start < ms);
}

template <class TCondition>
bool WaitUntil(TCondition condition) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kWaitMs) {
    if (condition()) return true;
    Pump(50);
  }
  return false;
}

std::vector<LONG> HeardFrom(HWND window, DWORD event) {
  std::vector<LONG> children;
  for (const TEvent& e : heard) {
    if (e.window == window && e.event == event) children.push_back(e.child);
  }
  return children;
}

// ---- Reading objects ----

std::wstring ClassName(HWND window) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  return name;
}

struct TObject {
  IAccessible* object = nullptr;
  TObject() = default;
  explicit TObject(HWND window) {
    void* found = nullptr;
    const HRESULT result =
        AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, &found);
    if (SUCCEEDED(result)) {
      object = static_cast<IAccessible*>(found);
    } else {
      std::printf("no object for the window of class %ls: error %08lX\n", ClassName(window).c_str(),
                  static_cast<unsigned long>(result));
    }
  }
  ~TObject() {
    if (object != nullptr) object->Release();
  }
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
};

VARIANT Child(LONG id) {
  VARIANT child;
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

std::string Text(BSTR text) {
  std::string utf8 = text != nullptr ? Narrow(text) : "";
  SysFreeString(text);
  return utf8;
}

std::string Name(IAccessible* object, LONG child = CHILDID_SELF) {
  BSTR name = nullptr;
  if (object == nullptr || FAILED(object->get_accName(Child(child), &name))) return "(none)";
  return Text(name);
}
std::string Value(IAccessible* object, LONG child = CHILDID_SELF) {
  BSTR value = nullptr;
  if (object == nullptr || FAILED(object->get_accValue(Child(child), &value))) return "(none)";
  return Text(value);
}
std::string Description(IAccessible* object, LONG child) {
  BSTR description = nullptr;
  if (object == nullptr || FAILED(object->get_accDescription(Child(child), &description))) {
    return "(none)";
  }
  return Text(description);
}
long Number(IAccessible* object, LONG child, bool role) {
  VARIANT answer;
  VariantInit(&answer);
  const HRESULT result = object == nullptr ? E_FAIL
                         : role            ? object->get_accRole(Child(child), &answer)
                                           : object->get_accState(Child(child), &answer);
  return SUCCEEDED(result) && answer.vt == VT_I4 ? answer.lVal : -1;
}
long Role(IAccessible* object, LONG child = CHILDID_SELF) { return Number(object, child, true); }
long State(IAccessible* object, LONG child) { return Number(object, child, false); }
long ChildCount(IAccessible* object) {
  long count = -1;
  if (object != nullptr) object->get_accChildCount(&count);
  return count;
}
RECT Location(IAccessible* object, LONG child) {
  long left = 0, top = 0, width = 0, height = 0;
  if (object != nullptr) object->accLocation(&left, &top, &width, &height, Child(child));
  return {left, top, left + width, top + height};
}
std::string Rect(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
         std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}
LONG Focused(IAccessible* object) {
  VARIANT focus;
  VariantInit(&focus);
  if (object == nullptr || FAILED(object->get_accFocus(&focus)) || focus.vt != VT_I4) return -1;
  return focus.lVal;
}

// ---- Real input ----

void Send(INPUT input) { SendInput(1, &input, sizeof(input)); }

void ClickAt(int x, int y) {
  SetCursorPos(x, y);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  Send(input);
  input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  Send(input);
}
void ClickMiddleOf(const RECT& r) { ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

void PressKey(WORD key) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  Send(input);
  input.ki.dwFlags = KEYEVENTF_KEYUP;
  Send(input);
}

// ---- The scenario ----

std::wstring WindowsPath(std::string path) {
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return Widen(path);
}

// The cell a screen reader finds the number in, by its name.
LONG CellNamed(IAccessible* grid, const std::string& name) {
  for (LONG child = 1; child <= ChildCount(grid); ++child) {
    if (Name(grid, child) == name) return child;
  }
  return -1;
}

// The progress number: the second label of the strip.
HWND ProgressLabel(HWND panel) {
  return FindWindowExW(panel, FindWindowExW(panel, nullptr, L"Static", nullptr), L"Static",
                       nullptr);
}

void ReadTheStrip(HWND form, HWND panel) {
  TObject window(form);
  Check("window name", Name(window.object), "Zelvorn");
  TObject progress(ProgressLabel(panel));
  Check("progress name", Name(progress.object), "进度");
  Check("progress role", Role(progress.object), ROLE_SYSTEM_PROGRESSBAR);
  Check("progress value", Value(progress.object), "0");
  TObject clock(GetDlgItem(panel, kVosTimeBox1Id));
  Check("time box name", Name(clock.object), "用时");
  Check("time box value", Value(clock.object), "00:00:00");
  TObject chooser(GetDlgItem(panel, kComboBox1Id));
  Check("size chooser name", Name(chooser.object), "表格");
  Check("size chooser value", Value(chooser.object), "5×5");
}

void ReadTheEmptyBoard(IAccessible* grid) {
  Check("board name", Name(grid), "表格");
  Check("board role", Role(grid), ROLE_SYSTEM_TABLE);
  Check("board cells", ChildCount(grid), 25);
  Check("cell role", Role(grid, 7), ROLE_SYSTEM_CELL);
  Check("empty cell name", Name(grid, 7), "");
  Check("cell place", Description(grid, 7), "第 2 行，第 2 列");
  Check("cell past the last", Name(grid, 26), "(none)");
}

int Run(int argc, char** argv) {
  if (argc < 2) return 64;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const HWINEVENTHOOK hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, Hear, 0, 0,
                                             WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
  std::wstring command = L"\"" + WindowsPath(argv[1]) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::printf("FAILED: could not start the program\n");
    return failures + 2;
  }
  HWND form = nullptr;
  if (!WaitUntil([&] {
        form = FindWindowW(L"TForm_main", nullptr);
        return form != nullptr && IsWindowVisible(form);
      })) {
    std::printf("FAILED: the main window did not show\n");
    TerminateProcess(process.hProcess, 1);
    return failures + 2;
  }
  HWND panel = FindWindowExW(form, nullptr, L"TPanel", nullptr);
  HWND grid_window = GetDlgItem(form, kCellGrid1Id);
  Pump(300);  // the first paints

  ReadTheStrip(form, panel);
  TObject grid(grid_window);
  ReadTheEmptyBoard(grid.object);

  // 开始训练: every cell gets its number, and each is announced once.
  heard.clear();
  RECT button;
  GetWindowRect(GetDlgItem(panel, kButton1Id), &button);
  ClickMiddleOf(button);
  const bool numbered = WaitUntil([&] { return Name(grid.object, 1) != ""; });
  Check("cells numbered after 开始训练", numbered ? "yes" : "no", "yes");
  Pump(300);
  const std::vector<LONG> renamed = HeardFrom(grid_window, EVENT_OBJECT_NAMECHANGE);
  Check("cells announced as renamed", long(std::set<LONG>(renamed.begin(), renamed.end()).size()),
        25);
  std::set<std::string> names;
  for (LONG child = 1; child <= 25; ++child) names.insert(Name(grid.object, child));
  std::set<std::string> expected;
  for (int n = 1; n <= 25; ++n) expected.insert(std::to_string(n));
  Check("cells named 1 to 25", names == expected ? "yes" : "no", "yes");

  // Where the cell of 1 shows: a 111 × 104 pitch from the board's top left, its lines drawn
  // inside it.
  const LONG one = CellNamed(grid.object, "1");
  POINT origin{0, 0};
  ClientToScreen(grid_window, &origin);
  const RECT box = Location(grid.object, one);
  const long col = (one - 1) % 5;
  const long row = (one - 1) / 5;
  Check("cell of 1 on the screen", Rect(box),
        Rect({origin.x + col * 111, origin.y + row * 104, origin.x + col * 111 + 111,
              origin.y + row * 104 + 104}));
  VARIANT hit;
  VariantInit(&hit);
  if (grid.object != nullptr) {
    grid.object->accHitTest((box.left + box.right) / 2, (box.top + box.bottom) / 2, &hit);
  }
  Check("hit test at the cell of 1", hit.vt == VT_I4 ? hit.lVal : -1, one);

  // A click on 1: the count goes to 1 and the focus to that cell.
  heard.clear();
  ClickMiddleOf(box);
  HWND label2 = ProgressLabel(panel);
  TObject progress(label2);
  WaitUntil([&] { return Value(progress.object) == "1"; });
  Pump(300);
  Check("progress value after the click", Value(progress.object), "1");
  Check("progress change announced", long(HeardFrom(label2, EVENT_OBJECT_VALUECHANGE).size()) > 0,
        1);
  std::vector<LONG> focus = HeardFrom(grid_window, EVENT_OBJECT_FOCUS);
  Check("focus announced on the cell of 1", focus.empty() ? -1 : focus.back(), one);
  IAccessible* from_event = nullptr;
  VARIANT child;
  VariantInit(&child);
  if (SUCCEEDED(AccessibleObjectFromEvent(grid_window, OBJID_CLIENT, one, &from_event, &child))) {
    Check("focused cell read from the event", Name(from_event, child.lVal), "1");
    Check("focused cell's state",
          State(from_event, child.lVal) & (STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED),
          STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED);
    from_event->Release();
  } else {
    Check("focused cell read from the event", "(none)", "1");
  }

  // An arrow key moves the current cell, and the focus with it.
  heard.clear();
  const bool last_col = col == 4;
  PressKey(last_col ? VK_LEFT : VK_RIGHT);
  const LONG next = last_col ? one - 1 : one + 1;
  WaitUntil([&] { return Focused(grid.object) == next; });
  Pump(300);
  focus = HeardFrom(grid_window, EVENT_OBJECT_FOCUS);
  Check("focus announced on the next cell", focus.empty() ? -1 : focus.back(), next);
  const std::vector<LONG> selected = HeardFrom(grid_window, EVENT_OBJECT_SELECTION);
  Check("selection announced on the next cell", selected.empty() ? -1 : selected.back(), next);
  Check("the grid's focus", Focused(grid.object), next);

  PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0);
  WaitForSingleObject(process.hProcess, kWaitMs);
  DWORD exit_code = 1;
  GetExitCodeProcess(process.hProcess, &exit_code);
  Check("exit code", long(exit_code), 0);
  UnhookWinEvent(hook);
  return failures;
}

}  // namespace
}  // namespace zelvorn

int main(int argc, char** argv) { return zelvorn::Run(argc, argv); }
