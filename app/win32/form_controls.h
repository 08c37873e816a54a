#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/form_main_layout.h"
#include "platform/color.h"
#include "platform/font.h"
#include "platform/win32/gdi_handle.h"
#include "platform/win32/window.h"

namespace zelvorn {

// The plain controls of the main window on Windows' own controls, with the few properties the
// window's layout and the training controller use. Texts are UTF-8.

// The strip along the top: a window of class "TPanel" with a raised 1-pixel bevel. It keeps the
// font (WM_SETFONT) that controls created inside it take; its controls' notifications go back to
// the controls' owners.
class TPanel final : public TWindow {
 public:
  static constexpr wchar_t kClassName[] = L"TPanel";
  static void RegisterWindowClass(HINSTANCE instance);

  TPanel(HWND parent, const TBounds& bounds);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Paint();

  HFONT font_ = nullptr;
};

// A one-line caption (STATIC) that takes the size of its text whenever the caption or the font
// changes, keeping its top-left corner. It shows its font's colour on the strip's face colour.
class TLabel final : public IControlOwner {
 public:
  TLabel(HWND parent, const TBounds& bounds);
  HWND Handle() const { return handle_; }
  void SetCaption(const std::string& caption);
  std::string Caption() const;
  // The label's own font, instead of its parent's.
  void SetFont(const TFont& font);
  TColor TextColor() const { return text_color_; }
  // Screen readers read the label as a progress bar named `name`, whose value is the caption,
  // and hear of each change of it.
  void DescribeAsCount(const std::string& name);

  std::optional<LRESULT> ControlMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void FitToText();

  HWND handle_;
  TOwnedControl owned_{handle_, *this};
  TFontHandle font_;
  TColor text_color_ = clWindowText;
  bool counts_ = false;
};

// An editable drop-down list (COMBOBOX, CBS_DROPDOWN) whose typed text is completed inline from
// the items: the rest of the first item that starts with what was typed is added, selected, so
// that typing on replaces it. Its box and its edit show the window text on the strip's face
// colour.
class TComboBox final : public IControlOwner {
 public:
  TComboBox(HWND parent, int control_id, const TBounds& bounds, std::int32_t item_height);
  HWND Handle() const { return handle_; }
  void AddItem(const std::string& text);
  // The item whose text the box shows, or -1 when the text (as typed) is no item's.
  std::int32_t ItemIndex() const;
  void SetItemIndex(std::int32_t index);
  std::string Text() const;
  void SetText(const std::string& text);

  std::optional<LRESULT> ControlMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  static LRESULT CALLBACK EditProcedure(HWND edit, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR id, DWORD_PTR data);
  void CompleteTypedText();

  HWND handle_;
  HWND edit_;
  TOwnedControl owned_{handle_, *this};
  TOwnedControl owned_edit_{edit_, *this};
  std::vector<std::string> items_;
};

// A push button (BUTTON) that keeps an integer Tag for its owner and raises OnClick when pressed
// with the mouse or the keyboard: its BN_CLICKED comes back to it from its parent.
class TButton final : public IControlOwner {
 public:
  TButton(HWND parent, int control_id, const TBounds& bounds);
  HWND Handle() const { return handle_; }
  std::int32_t Tag() const { return tag_; }
  void SetTag(std::int32_t tag) { tag_ = tag; }
  void SetCaption(const std::string& caption);
  std::string Caption() const;
  std::function<void()> OnClick;
  void Click();

  std::optional<LRESULT> ControlMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  HWND handle_;
  TOwnedControl owned_{handle_, *this};
  std::int32_t tag_ = 0;
};

}  // namespace zelvorn
