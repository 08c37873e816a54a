#include "app/win32/application.h"

#include <ole2.h>

#include <cstdlib>

#include "app/application_texts.h"
#include "app/win32/resources/resource_ids.h"
#include "platform/exceptions.h"
#include "platform/format.h"
#include "platform/win32/font.h"
#include "platform/win32/utf16.h"

namespace zelvorn {
namespace {

constexpr wchar_t kCellsClipboardFormat[] = L"TCellGrid Cells";

void ShowRuntimeError(const std::string& text) {
  MessageBoxW(nullptr, Widen(text).c_str(), Widen(kApplicationErrorCaption).c_str(),
              MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

std::string ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return Narrow(path);
    }
    path.resize(path.size() * 2);
  }
}

// Windows separates folders with either slash.
constexpr char kFolderSeparators[] = "\\/";

// Windows' own case mapping, which knows every script.
std::string LowerCase(std::string_view text) {
  std::wstring wide = Widen(text);
  CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return Narrow(wide);
}

// The failure of a check the program makes of the platform, in the runtime's assertion form:
// "<text> (<source file>, 行 <line>)".
[[noreturn]] void FailAssertion(const std::string& text, int line) {
  throw EAssertionFailed(Format("%s (%s, 行 %d)", {text, "application.cpp", line}));
}

// The windows a box owned by the application window must hold still: every visible, enabled
// top-level window of the thread but that one.
struct TWindowSearch {
  HWND skip;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindowToDisable(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<TWindowSearch*>(data);
  if (window != search.skip && IsWindowVisible(window) && IsWindowEnabled(window)) {
    search.found.push_back(window);
  }
  return TRUE;
}

std::vector<HWND> WindowsToDisable(HWND application_window) {
  TWindowSearch search{application_window, {}};
  EnumThreadWindows(GetCurrentThreadId(), &CollectWindowToDisable,
                    reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

TApplication::TOleScope::TOleScope() {
  const HRESULT ole = OleInitialize(nullptr);
  if (ole != S_OK && ole != S_FALSE) {
    FailAssertion(Format("OleInitialize failed ($%x)", {static_cast<std::int32_t>(ole)}), __LINE__);
  }
  ole_initialized_ = true;
  // An already initialised thread counts as initialised: it is ended as often as it began.
  com_initialized_ = SUCCEEDED(CoInitialize(nullptr));
}

TApplication::TOleScope::~TOleScope() {
  if (ole_initialized_) OleUninitialize();
  if (com_initialized_) CoUninitialize();
}

TApplication::TApplication(HINSTANCE instance)
    : instance_(instance), core_(*this, *this, ModulePath(), kFolderSeparators, &LowerCase) {
  const HICON icon = LoadIconW(instance, L"MAINICON");
  RegisterWindowClass(instance, kClassName, 0, icon, ArrowCursor(), nullptr);
  // Never seen itself: zero-sized, at the centre of the screen.
  CreateHandle(0, kClassName, Widen(core_.Title()).c_str(),
               WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS,
               {GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2,
                GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2},
               nullptr, instance);
  SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  HMENU menu = GetSystemMenu(Handle(), FALSE);
  for (const UINT command : {SC_MAXIMIZE, SC_SIZE, SC_MOVE}) {
    DeleteMenu(menu, command, MF_BYCOMMAND);
  }
  // Without them the Chinese texts would show as boxes on a Windows without Chinese fonts; the
  // program still runs, in whatever faces Windows finds.
  constexpr int kFaces[] = {IDR_FACE_REGULAR, IDR_FACE_BOLD};
  RegisterBuiltInFaces(instance, kFaces);
  ole_ = std::make_unique<TOleScope>();
  RegisterClipboardFormatW(kCellsClipboardFormat);
}

void TApplication::Run(int show_command) {
  if (!core_.ReadyToRun()) return;
  // Only maximised and minimised-without-activation change the stored (normal) state.
  const bool keeps_command = show_command == SW_SHOWMAXIMIZED || show_command == SW_SHOWMINNOACTIVE;
  ShowWindow(MainForm()->Handle(), keeps_command ? show_command : SW_SHOWNORMAL);
  UpdateWindow(MainForm()->Handle());
  core_.Finish(RunMessageLoop());
}

// Dialog keys (Tab between the controls) go to the main form first; every other message is
// translated and dispatched. Every window procedure and timer callback catches for itself, so
// nothing is thrown through here.
int TApplication::RunMessageLoop() {
  MSG message;
  BOOL result;
  while ((result = GetMessageW(&message, nullptr, 0, 0)) > 0) {
    HWND main_form = MainForm() != nullptr ? MainForm()->Handle() : nullptr;
    if (main_form != nullptr && IsDialogMessageW(main_form, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return result == 0 ? static_cast<int>(message.wParam) : 0;
}

void TApplication::MainFormClosed() { PostQuitMessage(0); }

void TApplication::ShowInfoMessage(const std::string& text) {
  MessageBoxW(Handle(), Widen(text).c_str(), Widen(kInfoCaption).c_str(),
              MB_OK | MB_ICONINFORMATION | MB_TOPMOST);
}

// A handler that failed in the middle of a drag or a selection leaves its window holding the
// mouse; the window ends that mode itself, and the capture goes whatever it does.
void TApplication::CancelMouseCapture() {
  HWND holder = GetCapture();
  if (holder == nullptr) return;
  SendMessageW(holder, WM_CANCELMODE, 0, 0);
  if (GetCapture() == holder) ReleaseCapture();
}

// While the box is up no other window of the program takes input, and afterwards the person
// finds the activation and the focus where they were. The box opens over the application window,
// which moves to the screen the person is working on.
void TApplication::ShowErrorBox(const std::string& text) {
  HWND active = GetActiveWindow();
  HWND focus = GetFocus();
  if (active != nullptr) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST), &monitor);
    SetWindowPos(Handle(), nullptr, (monitor.rcWork.left + monitor.rcWork.right) / 2,
                 (monitor.rcWork.top + monitor.rcWork.bottom) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const std::vector<HWND> disabled = WindowsToDisable(Handle());
  for (HWND window : disabled) EnableWindow(window, FALSE);
  MessageBoxW(Handle(), Widen(text).c_str(), Widen(core_.Title()).c_str(), MB_OK | MB_ICONERROR);
  for (HWND window : disabled) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  if (IsWindow(active)) SetActiveWindow(active);
  if (IsWindow(focus)) SetFocus(focus);
}

void TApplication::ShowApplicationError(const std::string& text) { ShowRuntimeError(text); }

void TApplication::ReportStartupFailure(std::exception_ptr error, const void* address) {
  ShowRuntimeError(
      UnhandledFailureText(error, ModuleName(ModulePath(), kFolderSeparators), address));
}

}  // namespace zelvorn
