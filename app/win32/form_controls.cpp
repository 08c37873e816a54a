#include "app/win32/form_controls.h"

#include <commctrl.h>

#include <algorithm>

#include "app/inline_completion.h"
#include "platform/error_boundary.h"
#include "platform/win32/accessible_object.h"
#include "platform/win32/color.h"
#include "platform/win32/font.h"
#include "platform/win32/utf16.h"

namespace zelvorn {
namespace {

// Texts in `text` on the strip's face colour, for a control's WM_CTLCOLORSTATIC or
// WM_CTLCOLOREDIT; none for its other notifications.
std::optional<LRESULT> OnStripFace(UINT message, WPARAM wparam, TColor text) {
  if (message != WM_CTLCOLORSTATIC && message != WM_CTLCOLOREDIT) return std::nullopt;
  const auto dc = reinterpret_cast<HDC>(wparam);
  SetTextColor(dc, ToColorRef(text));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// The edit a drop-down combo box types into.
HWND EditOf(HWND combo_box) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  GetComboBoxInfo(combo_box, &info);
  return info.hwndItem;
}

}  // namespace

void TPanel::RegisterWindowClass(HINSTANCE instance) {
  TWindow::RegisterWindowClass(instance, kClassName, 0, nullptr, ArrowCursor(),
                               reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

// A control parent, so that the dialog keys reach the controls inside it.
TPanel::TPanel(HWND parent, const TBounds& bounds) {
  CreateHandle(WS_EX_CONTROLPARENT, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
               {bounds.Left, bounds.Top, bounds.Left + bounds.Width, bounds.Top + bounds.Height},
               parent, reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)));
}

LRESULT TPanel::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wparam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_SIZE:
      // The bevel runs along every edge, so all of it is drawn anew.
      InvalidateRect(Handle(), nullptr, TRUE);
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    default:
      return TWindow::HandleMessage(message, wparam, lparam);
  }
}

void TPanel::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  RECT bounds;
  GetClientRect(Handle(), &bounds);
  DrawEdge(dc, &bounds, BDR_RAISEDOUTER, BF_RECT);
  EndPaint(Handle(), &paint);
}

TLabel::TLabel(HWND parent, const TBounds& bounds)
    : handle_(CreateChildControl(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, bounds.Left, bounds.Top,
                                 bounds.Width, bounds.Height, parent, 0)) {}

void TLabel::SetCaption(const std::string& caption) {
  WriteText(handle_, caption);
  FitToText();
  if (counts_) AnnounceValueChange(handle_);
}

void TLabel::DescribeAsCount(const std::string& name) {
  DescribeForAssistiveTools(handle_, {name, ROLE_SYSTEM_PROGRESSBAR, true});
  counts_ = true;
}

std::optional<LRESULT> TLabel::ControlMessage(UINT message, WPARAM wparam, LPARAM) {
  return OnStripFace(message, wparam, text_color_);
}

std::string TLabel::Caption() const { return ReadText(handle_); }

void TLabel::SetFont(const TFont& font) {
  font_ = TFontHandle(CreateFontFor(font));
  text_color_ = font.Color;
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), TRUE);
  FitToText();
}

void TLabel::FitToText() {
  const std::wstring text = Widen(Caption());
  SIZE extent{};
  {
    const TWindowDC dc = ClientDC(handle_);
    const TSelection font =
        SelectInto(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(handle_, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    if (text.empty()) {
      TEXTMETRICW metrics{};
      GetTextMetricsW(dc.Get(), &metrics);
      extent.cy = metrics.tmHeight;
    }
  }
  SetWindowPos(handle_, nullptr, 0, 0, extent.cx, extent.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(handle_, nullptr, TRUE);
}

// The height Windows takes for a drop-down is the closed box and its open list together.
TComboBox::TComboBox(HWND parent, int control_id, const TBounds& bounds, std::int32_t item_height)
    : handle_(CreateChildControl(
          L"COMBOBOX", L"", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, bounds.Left,
          bounds.Top, bounds.Width, bounds.Height + 8 * item_height, parent, control_id)),
      edit_(EditOf(handle_)) {
  SendMessageW(handle_, CB_SETITEMHEIGHT, 0, item_height);
  SetWindowSubclass(edit_, &TComboBox::EditProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
}

void TComboBox::AddItem(const std::string& text) {
  items_.push_back(text);
  SendMessageW(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

// Windows keeps the last chosen index while the text is edited; what the box shows is what
// counts, compared exactly.
std::int32_t TComboBox::ItemIndex() const {
  const auto item = std::find(items_.begin(), items_.end(), Text());
  return item == items_.end() ? -1 : static_cast<std::int32_t>(item - items_.begin());
}

void TComboBox::SetItemIndex(std::int32_t index) { SendMessageW(handle_, CB_SETCURSEL, index, 0); }

std::string TComboBox::Text() const { return ReadText(handle_); }

void TComboBox::SetText(const std::string& text) { WriteText(handle_, text); }

std::optional<LRESULT> TComboBox::ControlMessage(UINT message, WPARAM wparam, LPARAM) {
  return OnStripFace(message, wparam, clWindowText);
}

LRESULT CALLBACK TComboBox::EditProcedure(HWND edit, UINT message, WPARAM wparam, LPARAM lparam,
                                          UINT_PTR, DWORD_PTR data) {
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(edit, &TComboBox::EditProcedure, 0);
    return DefSubclassProc(edit, message, wparam, lparam);
  }
  const LRESULT result = DefSubclassProc(edit, message, wparam, lparam);
  // A typed character, not a control key such as backspace: complete what is there now.
  if (message == WM_CHAR && wparam >= L' ') {
    Guarded([data] { reinterpret_cast<TComboBox*>(data)->CompleteTypedText(); });
  }
  return result;
}

// Only when typing at the end: a completion in the middle of the text would overwrite the rest.
void TComboBox::CompleteTypedText() {
  const std::wstring typed = Widen(ReadText(edit_));
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (start != end || end != typed.size()) return;
  const std::optional<std::size_t> item = CompletingItem(items_, Narrow(typed));
  if (!item) return;
  WriteText(edit_, items_[*item]);
  SendMessageW(edit_, EM_SETSEL, typed.size(), -1);
}

TButton::TButton(HWND parent, int control_id, const TBounds& bounds)
    : handle_(CreateChildControl(L"BUTTON", L"", BS_PUSHBUTTON | WS_TABSTOP, bounds.Left,
                                 bounds.Top, bounds.Width, bounds.Height, parent, control_id)) {}

void TButton::SetCaption(const std::string& caption) { WriteText(handle_, caption); }

std::string TButton::Caption() const { return ReadText(handle_); }

void TButton::Click() {
  if (OnClick) OnClick();
}

std::optional<LRESULT> TButton::ControlMessage(UINT message, WPARAM wparam, LPARAM) {
  if (message != WM_COMMAND) return std::nullopt;
  if (HIWORD(wparam) == BN_CLICKED) Click();
  return 0;
}

}  // namespace zelvorn
