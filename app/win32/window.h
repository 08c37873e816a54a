#pragma once

#include "platform/win32/windows_api.h"

namespace zelvorn {

// A window of one of our own window classes. The class's procedure hands each message to the
// object that created the window, inside a guard: whatever a handler throws goes to ReportError
// and never unwinds through Windows' frames.
class TWindow {
 public:
  TWindow() = default;
  // Destroys the window, if it still exists, without calling this object any more.
  virtual ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  HWND Handle() const { return handle_; }

  // Registers a window class whose windows are objects of this kind; `style`, `icon` and
  // `background` go into the class. Raises EOutOfResources "创建窗口类失败" when Windows refuses.
  static void RegisterWindowClass(HINSTANCE instance, const wchar_t* class_name, UINT style,
                                  HICON icon, HBRUSH background);

 protected:
  // Creates the window of the registered class `class_name`; its messages come to
  // HandleMessage from WM_NCCREATE on. Raises EOutOfResources when Windows refuses.
  void CreateHandle(DWORD ex_style, const wchar_t* class_name, const wchar_t* caption,
                    DWORD style, RECT bounds, HWND parent, HINSTANCE instance);

  // Everything not handled goes to DefWindowProcW.
  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND handle_ = nullptr;
};

// Windows' own controls (STATIC, BUTTON, COMBOBOX, EDIT) as children of `parent`, with the
// parent's font unless one is set later. Raises EOutOfResources when Windows refuses.
HWND CreateChildControl(const wchar_t* class_name, const wchar_t* text, DWORD style, int x, int y,
                        int width, int height, HWND parent, int control_id);

}  // namespace zelvorn
