#include "controls/timebox/win32/vos_time_box.h"

#include <commctrl.h>

#include <utility>

#include "platform/error_boundary.h"
#include "platform/text_layout.h"
#include "platform/win32/color.h"
#include "platform/win32/font.h"
#include "platform/win32/utf16.h"

namespace zelvorn {
namespace {

constexpr UINT_PTR kFaceSubclassId = 1;

}  // namespace

// A disabled EDIT draws its text in the system's grey whatever WM_CTLCOLORSTATIC answers, and the
// digits must stay readable on black, so while disabled the box paints its own client area. The
// frame is still the edit's, and an enabled box, with its caret and selection, is all the edit's.
LRESULT CALLBACK TVosTimeBox::FaceProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                       UINT_PTR, DWORD_PTR box) {
  auto& self = *reinterpret_cast<TVosTimeBox*>(box);
  if (IsWindowEnabled(window)) return DefSubclassProc(window, message, wparam, lparam);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      const HDC dc = BeginPaint(window, &paint);
      Guarded([&] { self.PaintFace(dc); });
      EndPaint(window, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      Guarded([&] { self.PaintFace(reinterpret_cast<HDC>(wparam)); });
      return 0;
    default:
      return DefSubclassProc(window, message, wparam, lparam);
  }
}

TVosTimeBox::TVosTimeBox(HWND parent, int control_id, int x, int y, int width, int height)
    : handle_(CreateChildControl(L"EDIT", L"", ES_AUTOHSCROLL, x, y, width, height, parent,
                                 control_id, WS_EX_CLIENTEDGE)),
      clock_([this](const std::string& text) { SetText(text); }) {
  SetWindowSubclass(handle_, FaceProc, kFaceSubclassId, reinterpret_cast<DWORD_PTR>(this));
  SetLook(DefaultTimeBoxLook());
}

// The clock's timer stops after the window has gone, which is safe: ticks are messages, and none
// is handled while this runs.
TVosTimeBox::~TVosTimeBox() {
  RemoveWindowSubclass(handle_, FaceProc, kFaceSubclassId);
  DestroyWindow(handle_);
}

void TVosTimeBox::SetLook(const TTimeBoxLook& look) {
  look_ = look;
  ReplaceBrush();
  // The old font goes once the edit holds the new one.
  const TFontHandle previous = std::exchange(font_handle_, TFontHandle(CreateFontFor(look.Font)));
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_handle_.Get()), TRUE);
  SendMessageW(handle_, EM_SETREADONLY, look.ReadOnly, 0);
  EnableWindow(handle_, look.Enabled);
  SetText(look.Text);
  InvalidateRect(handle_, nullptr, TRUE);
}

HBRUSH TVosTimeBox::ControlColor(HDC dc) {
  SetTextColor(dc, ToColorRef(look_.Font.Color));
  SetBkColor(dc, ToColorRef(look_.Color));
  // A system colour may have changed since the brush was made.
  if (IsSystemColor(look_.Color)) ReplaceBrush();
  return brush_.Get();
}

std::optional<LRESULT> TVosTimeBox::ControlMessage(UINT message, WPARAM wparam, LPARAM) {
  if (message != WM_CTLCOLORSTATIC && message != WM_CTLCOLOREDIT) return std::nullopt;
  return reinterpret_cast<LRESULT>(ControlColor(reinterpret_cast<HDC>(wparam)));
}

// The text goes where the edit itself would put it: at the top left of its formatting rectangle.
void TVosTimeBox::PaintFace(HDC dc) {
  RECT client{};
  GetClientRect(handle_, &client);
  FillRect(dc, &client, ControlColor(dc));
  RECT text_area = client;
  SendMessageW(handle_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text_area));
  const TSelection font = SelectInto(dc, font_handle_.Get());
  SetBkMode(dc, TRANSPARENT);
  const std::wstring text = Widen(Text());
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &text_area,
            DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP);
}

void TVosTimeBox::ReplaceBrush() {
  brush_ = TBrushHandle(CreateSolidBrush(ToColorRef(look_.Color)));
}

}  // namespace zelvorn
