#pragma once

#include <optional>
#include <string>

#include "platform/win32/windows_api.h"

namespace zelvorn {

// The object that owns one of Windows' own controls. The control's WM_COMMAND and WM_CTLCOLOR*
// go to its parent; a parent of ours passes them back here, so each control answers for itself
// and no window picks its controls by id.
class IControlOwner {
 public:
  // The answer to the message, or none for the parent's own handling.
  virtual std::optional<LRESULT> ControlMessage(UINT message, WPARAM wparam, LPARAM lparam) = 0;

 protected:
  ~IControlOwner() = default;
};

// Makes `owner` the object `control`'s notifications are passed back to, while this lives.
class TOwnedControl {
 public:
  TOwnedControl(HWND control, IControlOwner& owner);
  ~TOwnedControl();
  TOwnedControl(const TOwnedControl&) = delete;
  TOwnedControl& operator=(const TOwnedControl&) = delete;

 private:
  HWND control_;
};

// A window of one of our own window classes. The classes' one procedure hands each message to
// the object that created the window, from WM_NCCREATE on, inside a guard: whatever a handler
// throws goes to ReportError and never unwinds through Windows' frames. A control's
// notification goes to the control's owner first.
class TWindow {
 public:
  TWindow() = default;
  // Destroys the window, if it still exists, without calling this object any more.
  virtual ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  HWND Handle() const { return handle_; }

  // Registers a window class whose windows are objects of this kind. A class already registered
  // is kept; any other refusal raises EOutOfResources, as a refused window does.
  static void RegisterWindowClass(HINSTANCE instance, const wchar_t* class_name, UINT style,
                                  HICON icon, HCURSOR cursor, HBRUSH background);

 protected:
  // Creates the window of the registered class `class_name`; its messages come to
  // HandleMessage from WM_NCCREATE on. Raises EOutOfResources when Windows refuses.
  void CreateHandle(DWORD ex_style, const wchar_t* class_name, const wchar_t* caption, DWORD style,
                    RECT bounds, HWND parent, HINSTANCE instance, int control_id = 0);

  // Everything not handled goes to DefWindowProcW.
  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam,
                                    LPARAM lparam) noexcept;

  HWND handle_ = nullptr;
};

// The point a mouse message carries: signed, since with the capture held the pointer may lie
// left of or above the window, and on a screen left of or above the main one.
POINT MessagePoint(LPARAM lparam);

// The system's arrow, the pointer over our windows.
HCURSOR ArrowCursor();

// Windows' own controls (STATIC, BUTTON, COMBOBOX, EDIT) as children of `parent`, with the
// parent's font unless one is set later. Raises EOutOfResources when Windows refuses.
HWND CreateChildControl(const wchar_t* class_name, const wchar_t* text, DWORD style, int x, int y,
                        int width, int height, HWND parent, int control_id, DWORD ex_style = 0);

// A window's text as UTF-8.
std::string ReadText(HWND window);
void WriteText(HWND window, const std::string& text);

}  // namespace zelvorn
