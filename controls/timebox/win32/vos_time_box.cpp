#include "controls/timebox/win32/vos_time_box.h"

#include "platform/exceptions.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_color.h"
#include "platform/win32/win32_font.h"

namespace zelvorn {
namespace {

HWND CreateEdit(HWND parent, int control_id, int x, int y, int width, int height) {
  HWND edit = CreateWindowExW(
      WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, x, y, width, height,
      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  if (edit == nullptr) throw EOutOfResources("创建窗口失败");
  return edit;
}

}  // namespace

TVosTimeBox::TVosTimeBox(HWND parent, int control_id, int x, int y, int width, int height)
    : handle_(CreateEdit(parent, control_id, x, y, width, height)),
      clock_([this](const std::string& text) { SetText(text); }) {
  SetText(TTimeBoxClock::kZeroTime);
  SetColor(clBlack);
  TFont font;
  font.Color = clWhite;
  font.Name = "黑体";
  font.SetSize(12);
  SetFont(font);
  SetReadOnly(true);
  SetEnabled(false);
  SetAutoSelect(false);
}

// The clock's timer stops after the window has gone, which is safe: ticks are messages, and none
// is handled while this runs.
TVosTimeBox::~TVosTimeBox() {
  DestroyWindow(handle_);
  if (font_handle_ != nullptr) DeleteObject(font_handle_);
  if (brush_ != nullptr) DeleteObject(brush_);
}

std::string TVosTimeBox::Text() const {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(handle_)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(handle_, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

void TVosTimeBox::SetText(const std::string& text) {
  SetWindowTextW(handle_, Widen(text).c_str());
}

void TVosTimeBox::SetColor(TColor color) {
  color_ = color;
  ReplaceBrush();
  InvalidateRect(handle_, nullptr, TRUE);
}

void TVosTimeBox::SetFont(const TFont& font) {
  font_ = font;
  HFONT previous = font_handle_;
  font_handle_ = CreateFontFor(font);
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_handle_), TRUE);
  if (previous != nullptr) DeleteObject(previous);
}

bool TVosTimeBox::ReadOnly() const {
  return (GetWindowLongPtrW(handle_, GWL_STYLE) & ES_READONLY) != 0;
}

void TVosTimeBox::SetReadOnly(bool read_only) {
  SendMessageW(handle_, EM_SETREADONLY, read_only, 0);
}

bool TVosTimeBox::Enabled() const { return IsWindowEnabled(handle_) != FALSE; }

void TVosTimeBox::SetEnabled(bool enabled) { EnableWindow(handle_, enabled); }

HBRUSH TVosTimeBox::ControlColor(HDC dc) {
  SetTextColor(dc, ToColorRef(font_.Color));
  SetBkColor(dc, ToColorRef(color_));
  // A system colour may have changed since the brush was made.
  if (IsSystemColor(color_)) ReplaceBrush();
  return brush_;
}

void TVosTimeBox::ReplaceBrush() {
  HBRUSH previous = brush_;
  brush_ = CreateSolidBrush(ToColorRef(color_));
  if (previous != nullptr) DeleteObject(previous);
}

}  // namespace zelvorn
