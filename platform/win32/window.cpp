#include "platform/win32/window.h"

// Only here: its macros would rename members elsewhere (SelectFont).
#include <windowsx.h>

#include "platform/error_boundary.h"
#include "platform/exceptions.h"
#include "platform/win32/utf16.h"

namespace zelvorn {
namespace {

// What Windows refuses a class or a window for is that its resources ran out.
constexpr char kWindowFailed[] = "创建窗口失败";

// The window property that holds a control's owner.
constexpr wchar_t kOwnerProperty[] = L"ZelvornControlOwner";

// The owner of the control that sent the message, if it is a control's notification and the
// control has one.
IControlOwner* SendersOwner(UINT message, LPARAM lparam) {
  const bool from_control = (message == WM_COMMAND && lparam != 0) ||
                            (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
  if (!from_control) return nullptr;
  return static_cast<IControlOwner*>(GetPropW(reinterpret_cast<HWND>(lparam), kOwnerProperty));
}

}  // namespace

TOwnedControl::TOwnedControl(HWND control, IControlOwner& owner) : control_(control) {
  if (!SetPropW(control, kOwnerProperty, &owner)) throw EOutOfResources(kWindowFailed);
}

TOwnedControl::~TOwnedControl() { RemovePropW(control_, kOwnerProperty); }

TWindow::~TWindow() {
  if (handle_ == nullptr) return;
  SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
  DestroyWindow(handle_);
}

void TWindow::RegisterWindowClass(HINSTANCE instance, const wchar_t* class_name, UINT style,
                                  HICON icon, HCURSOR cursor, HBRUSH background) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = style;
  window_class.lpfnWndProc = &TWindow::Procedure;
  window_class.hInstance = instance;
  window_class.hIcon = icon;
  window_class.hCursor = cursor;
  window_class.hbrBackground = background;
  window_class.lpszClassName = class_name;
  if (RegisterClassExW(&window_class) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw EOutOfResources(kWindowFailed);
  }
}

void TWindow::CreateHandle(DWORD ex_style, const wchar_t* class_name, const wchar_t* caption,
                           DWORD style, RECT bounds, HWND parent, HINSTANCE instance,
                           int control_id) {
  CreateWindowExW(ex_style, class_name, caption, style, bounds.left, bounds.top,
                  bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)), instance, this);
  if (handle_ == nullptr) throw EOutOfResources(kWindowFailed);
}

LRESULT TWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(handle_, message, wparam, lparam);
}

LRESULT CALLBACK TWindow::Procedure(HWND window, UINT message, WPARAM wparam,
                                    LPARAM lparam) noexcept {
  if (message == WM_NCCREATE) {
    auto* object = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    object->handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
  }
  auto* object = reinterpret_cast<TWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (object == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    // Windows destroys a child with its parent; the object must not think it still has one.
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    object->handle_ = nullptr;
    return DefWindowProcW(window, message, wparam, lparam);
  }
  try {
    if (IControlOwner* owner = SendersOwner(message, lparam)) {
      if (const std::optional<LRESULT> answer = owner->ControlMessage(message, wparam, lparam)) {
        return *answer;
      }
    }
    return object->HandleMessage(message, wparam, lparam);
  } catch (...) {
    ReportError(std::current_exception());
    return 0;
  }
}

POINT MessagePoint(LPARAM lparam) { return {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}; }

HCURSOR ArrowCursor() {
  return LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
}

HWND CreateChildControl(const wchar_t* class_name, const wchar_t* text, DWORD style, int x, int y,
                        int width, int height, HWND parent, int control_id, DWORD ex_style) {
  HWND control = CreateWindowExW(
      ex_style, class_name, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  if (control == nullptr) throw EOutOfResources(kWindowFailed);
  SendMessageW(control, WM_SETFONT, SendMessageW(parent, WM_GETFONT, 0, 0), FALSE);
  return control;
}

std::string ReadText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

void WriteText(HWND window, const std::string& text) {
  SetWindowTextW(window, Widen(text).c_str());
}

}  // namespace zelvorn
