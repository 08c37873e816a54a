// What the end-to-end tests ask of the running program under Wine, from outside it, as another
// Windows program of the same session:
//   win32_probe board <n>...        the cells of 1, 2, ... on the first boards of these sizes
//                                   that a fresh process builds, "column row" per line
//   win32_probe grid                the grid's client area on the screen: "left top width height"
//   win32_probe texts               each control of the strip: "class|text" per line
//   win32_probe button | combo      the middle of the start button, of the size chooser's edit
//   win32_probe box <caption>       waits for a message box with this caption ("info" and
//                                   "startup" stand for 提示 and 应用程序错误) and prints its text
//   win32_probe no-box <caption>    fails if such a box is up
//   win32_probe dismiss <caption>   presses the box's OK button
//   win32_probe close               closes the main window as its close button does
// Every wait gives up after 20 s with exit code 2.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/utf16.h"
#include "training/number_board.h"

#include "platform/win32/windows_api.h"

namespace zelvorn {
namespace {

constexpr DWORD kWaitMs = 20000;
// The grid's control id in the main window (TForm_main::kCellGrid1Id).
constexpr int kCellGrid1Id = 104;

template <class TFind>
HWND WaitFor(TFind find) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kWaitMs) {
    if (HWND window = find(); window != nullptr) return window;
    Sleep(50);
  }
  std::fprintf(stderr, "win32_probe: gave up waiting\n");
  std::exit(2);
}

HWND MainForm() {
  return WaitFor([] {
    HWND form = FindWindowW(L"TForm_main", nullptr);
    return form != nullptr && IsWindowVisible(form) ? form : nullptr;
  });
}

std::wstring Caption(const std::string& key) {
  if (key == "info") return L"提示";
  if (key == "startup") return L"应用程序错误";
  return Widen(key);
}

HWND FindBox(const std::string& key) {
  return FindWindowW(L"#32770", Caption(key).c_str());
}

// Asked of the control itself: GetWindowTextW does not ask another process's windows.
std::string Text(HWND window) {
  wchar_t text[512] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      5000, &length);
  return Narrow(std::wstring_view(text, length));
}

std::string ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return Narrow(name);
}

// The box's message is its longest static text; the icon is a static without one.
BOOL CALLBACK KeepLongestStaticText(HWND child, LPARAM data) {
  auto& longest = *reinterpret_cast<std::string*>(data);
  const std::string class_name = ClassOf(child);
  if (class_name == "Static" || class_name == "STATIC") {
    const std::string text = Text(child);
    if (text.size() > longest.size()) longest = text;
  }
  return TRUE;
}

std::string BoxText(HWND box) {
  std::string longest;
  EnumChildWindows(box, &KeepLongestStaticText, reinterpret_cast<LPARAM>(&longest));
  return longest;
}

int PrintBoards(int argc, char** argv) {
  TRandomGenerator generator;
  TNumberBoard board;
  for (int i = 2; i < argc; ++i) {
    const int n = std::atoi(argv[i]);
    BuildNumberBoard(n, generator, board);
    std::vector<std::pair<int, int>> cells(static_cast<std::size_t>(n * n));
    for (int c = 0; c < n; ++c) {
      for (int r = 0; r < n; ++r) cells[static_cast<std::size_t>(board[c][r] - 1)] = {c, r};
    }
    for (const auto& [c, r] : cells) std::printf("%d %d\n", c, r);
  }
  return 0;
}

int PrintGrid() {
  HWND form = MainForm();
  HWND grid = WaitFor([form] { return GetDlgItem(form, kCellGrid1Id); });
  RECT client;
  GetClientRect(grid, &client);
  POINT origin{0, 0};
  ClientToScreen(grid, &origin);
  std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
  return 0;
}

int PrintTexts() {
  HWND form = MainForm();
  HWND panel = WaitFor([form] { return FindWindowExW(form, nullptr, L"TPanel", nullptr); });
  for (HWND child = GetWindow(panel, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    std::printf("%s|%s\n", ClassOf(child).c_str(), Text(child).c_str());
  }
  return 0;
}

HWND StripControl(const wchar_t* class_name) {
  HWND form = MainForm();
  HWND panel = WaitFor([form] { return FindWindowExW(form, nullptr, L"TPanel", nullptr); });
  return WaitFor([panel, class_name] { return FindWindowExW(panel, nullptr, class_name, nullptr); });
}

int PrintMiddle(HWND control) {
  RECT bounds;
  GetWindowRect(control, &bounds);
  std::printf("%ld %ld\n", (bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
  return 0;
}

int Run(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "board") return PrintBoards(argc, argv);
  if (command == "grid") return PrintGrid();
  if (command == "texts") return PrintTexts();
  if (command == "button") return PrintMiddle(StripControl(L"Button"));
  if (command == "combo") {
    HWND combo = StripControl(L"ComboBox");
    return PrintMiddle(FindWindowExW(combo, nullptr, L"Edit", nullptr));
  }
  if (command == "close") {
    PostMessageW(MainForm(), WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
  }
  if (argc < 3) return 64;
  const std::string key = argv[2];
  if (command == "box") {
    std::printf("%s\n", BoxText(WaitFor([&key] { return FindBox(key); })).c_str());
    return 0;
  }
  if (command == "no-box") return FindBox(key) == nullptr ? 0 : 1;
  if (command == "dismiss") {
    PostMessageW(WaitFor([&key] { return FindBox(key); }), WM_COMMAND, IDOK, 0);
    return 0;
  }
  return 64;
}

}  // namespace
}  // namespace zelvorn

int main(int argc, char** argv) { return zelvorn::Run(argc, argv); }
