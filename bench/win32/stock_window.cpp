// The floor for Zelvorn's start on Windows: the same main window made the plainest way, from
// Windows' stock controls, by a program that does nothing else. The strip's controls stand where
// the layout puts them, under the same fonts, and a plain child window draws the empty 5 × 5
// board's lines. It also starts OLE and COM and registers the clipboard format, which Zelvorn's
// start cannot leave out. bench/win32/startup.sh times both from exec to the mapped window.
#include <initializer_list>

#include "platform/win32/windows_api.h"

namespace {

constexpr wchar_t kFormClass[] = L"StockForm";
constexpr wchar_t kBoardClass[] = L"StockBoard";
constexpr int kClientWidth = 568;
constexpr int kClientHeight = 604;
constexpr int kStripHeight = 70;
constexpr int kCellWidth = 110;
constexpr int kCellHeight = 105;
constexpr int kBoardSize = 5;

HFONT Font(int height, bool bold, const wchar_t* face) {
  return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face);
}

HWND Control(HWND parent, const wchar_t* class_name, const wchar_t* text, DWORD style, RECT bounds,
             HFONT font) {
  HWND control = CreateWindowExW(0, class_name, text, WS_CHILD | WS_VISIBLE | style, bounds.left,
                                 bounds.top, bounds.right, bounds.bottom, parent, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

// The board's lines: one pixel along the right and bottom of every cell.
void PaintBoard(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  const HBRUSH line = GetSysColorBrush(COLOR_BTNFACE);
  for (int i = 1; i <= kBoardSize; ++i) {
    const RECT column{i * kCellWidth - 1, 0, i * kCellWidth, kBoardSize * kCellHeight};
    const RECT row{0, i * kCellHeight - 1, kBoardSize * kCellWidth, i * kCellHeight};
    FillRect(dc, &column, line);
    FillRect(dc, &row, line);
  }
  EndPaint(window, &paint);
}

LRESULT CALLBACK BoardProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    PaintBoard(window);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK FormProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void Register(const wchar_t* name, WNDPROC procedure, HBRUSH background) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.hbrBackground = background;
  window_class.lpszClassName = name;
  RegisterClassExW(&window_class);
}

HWND CreateForm() {
  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
  RECT bounds{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&bounds, kStyle, FALSE, 0);
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  HWND form = CreateWindowExW(0, kFormClass, L"Zelvorn", kStyle,
                              (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                              (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  const HFONT text = Font(-16, false, L"宋体");
  Control(form, L"STATIC", L"0", SS_LEFT, {5, 4, 29, 56}, Font(-56, true, L"宋体"));
  Control(form, L"STATIC", L"表格", SS_LEFT, {61, 26, 32, 16}, text);
  HWND sizes = Control(form, L"COMBOBOX", L"", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP,
                       {115, 23, 149, 24 + 8 * 16}, text);
  for (const wchar_t* size : {L"5×5", L"6×6", L"7×7", L"8×8", L"9×9"}) {
    SendMessageW(sizes, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(size));
  }
  SendMessageW(sizes, CB_SETCURSEL, 0, 0);
  Control(form, L"BUTTON", L"开始训练", BS_PUSHBUTTON | WS_TABSTOP, {296, 8, 101, 50}, text);
  Control(form, L"EDIT", L"00:00:00", ES_READONLY | WS_DISABLED, {412, 15, 140, 37},
          Font(-29, false, L"黑体"));
  CreateWindowExW(WS_EX_CLIENTEDGE, kBoardClass, L"", WS_CHILD | WS_VISIBLE, 0, kStripHeight,
                  kClientWidth, kClientHeight - kStripHeight, form, nullptr,
                  GetModuleHandleW(nullptr), nullptr);
  return form;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show_command) {
  OleInitialize(nullptr);
  CoInitialize(nullptr);
  RegisterClipboardFormatW(L"TCellGrid Cells");
  Register(kFormClass, &FormProcedure, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  Register(kBoardClass, &BoardProcedure, nullptr);
  HWND form = CreateForm();
  ShowWindow(form, show_command);
  UpdateWindow(form);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  CoUninitialize();
  OleUninitialize();
  return 0;
}
