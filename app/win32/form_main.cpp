#include "app/win32/form_main.h"

#include "app/form_main_layout.h"
#include "app/win32/application.h"
#include "controls/grid/win32/cell_grid_window.h"
#include "controls/timebox/win32/vos_time_box.h"
#include "platform/timer.h"
#include "platform/win32/accessible_object.h"
#include "platform/win32/font.h"
#include "platform/win32/utf16.h"

namespace zelvorn {

namespace {

// Resizable, with the system menu but neither a minimise nor a maximise button.
constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;

// The outer bounds of a window with this client size, centred on the screen whatever the stored
// position says.
RECT CentredBounds(int client_width, int client_height) {
  RECT bounds{0, 0, client_width, client_height};
  AdjustWindowRectEx(&bounds, kFormStyle, FALSE, 0);
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  return {left, top, left + width, top + height};
}

bool IsChildOf(HWND window, HWND control) { return control != nullptr && IsChild(window, control); }

}  // namespace

void TForm_main::RegisterWindowClasses(HINSTANCE instance) {
  TWindow::RegisterWindowClass(instance, kClassName, CS_HREDRAW | CS_VREDRAW,
                               LoadIconW(instance, L"MAINICON"), ArrowCursor(),
                               reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  TPanel::RegisterWindowClass(instance);
  TCellGridWindow::RegisterWindowClass(instance);
}

TForm_main::TForm_main(TApplication& owner) : owner_(owner) {
  RegisterWindowClasses(owner.Instance());
  LoadForm();
  LoadPanel1();
  LoadCellGrid1();
  Timer1 = LoadTimer(FormMainLayout().Timer1);
  NameForAssistiveTools();
  training_ = std::make_unique<TTraining>(CellGrid1->Grid(), *VosTimeBox1, *Label2, *ComboBox1,
                                          *Button1, *Timer1, owner_, owner_, owner_.SoundPath());
  // Tab order is the order of creation: the chooser and the button in the strip (the time box
  // is disabled), then the grid.
  focused_control_ = ComboBox1->Handle();
}

// The training, declared after the controls it reaches, goes before them.
TForm_main::~TForm_main() = default;

void TForm_main::LoadForm() {
  const TFormMainLayout::TForm& form = FormMainLayout().Form;
  CreateHandle(WS_EX_CONTROLPARENT, kClassName, Widen(form.Caption).c_str(), kFormStyle,
               CentredBounds(form.ClientWidth, form.ClientHeight), nullptr, owner_.Instance());
  font_ = TFontHandle(CreateFontFor(form.Font));
  SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
}

void TForm_main::LoadPanel1() {
  const TFormMainLayout& layout = FormMainLayout();
  Panel1 = std::make_unique<TPanel>(Handle(), StripBounds(ClientRect().right));
  HWND panel = Panel1->Handle();
  SendMessageW(panel, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  Label1 = std::make_unique<TLabel>(panel, layout.Label1.Bounds);
  LoadLabel(*Label1, layout.Label1);
  Label2 = std::make_unique<TLabel>(panel, layout.Label2.Bounds);
  LoadLabel(*Label2, layout.Label2);
  const auto& combo = layout.ComboBox1;
  ComboBox1 = std::make_unique<TComboBox>(panel, kComboBox1Id, combo.Bounds, combo.ItemHeight);
  LoadComboBox(*ComboBox1, combo);
  Button1 = std::make_unique<TButton>(panel, kButton1Id, layout.Button1.Bounds);
  Button1->SetCaption(layout.Button1.Caption);
  const auto& box = layout.VosTimeBox1;
  VosTimeBox1 = std::make_unique<TVosTimeBox>(panel, kVosTimeBox1Id, box.Bounds.Left,
                                              box.Bounds.Top, box.Bounds.Width, box.Bounds.Height);
  LoadTimeBox(*VosTimeBox1, box);
}

void TForm_main::LoadCellGrid1() {
  const RECT client = ClientRect();
  const TBounds bounds = GridBounds(client.right, client.bottom);
  CellGrid1 = std::make_unique<TCellGridWindow>(Handle(), kCellGrid1Id, bounds.Left, bounds.Top,
                                                bounds.Width, bounds.Height);
  LoadCellGrid(CellGrid1->Grid(), FormMainLayout().CellGrid1);
}

RECT TForm_main::ClientRect() const {
  RECT client{};
  GetClientRect(Handle(), &client);
  return client;
}

// Windows' own objects name a control after the label created before it, which is the progress
// number for every control of the strip; each gets its name from the layout instead, and the
// chooser the caption that labels it. Their texts are their values, as Windows' own objects for
// edits and combo boxes say (Wine's do not).
void TForm_main::NameForAssistiveTools() {
  const TFormMainLayout& layout = FormMainLayout();
  Label2->DescribeAsCount(layout.Label2.AccessibleName);
  DescribeForAssistiveTools(VosTimeBox1->Handle(), {layout.VosTimeBox1.AccessibleName, {}, true});
  DescribeForAssistiveTools(ComboBox1->Handle(), {layout.Label1.Caption, {}, true});
  CellGrid1->SetAccessibleName(layout.CellGrid1.AccessibleName);
}

LRESULT TForm_main::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      Realign(LOWORD(lparam), HIWORD(lparam));
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        if (IsChildOf(Handle(), GetFocus())) focused_control_ = GetFocus();
        return 0;
      }
      return TWindow::HandleMessage(message, wparam, lparam);
    case WM_SETFOCUS:
      if (IsWindow(focused_control_)) SetFocus(focused_control_);
      return 0;
    case WM_CLOSE:
      owner_.MainFormClosed();
      return 0;
    default:
      return TWindow::HandleMessage(message, wparam, lparam);
  }
}

void TForm_main::Realign(int width, int height) {
  if (Panel1) {
    SetWindowPos(Panel1->Handle(), nullptr, 0, 0, width, StripBounds(width).Height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (!CellGrid1) return;
  const TBounds grid = GridBounds(width, height);
  CellGrid1->SetBounds(grid.Left, grid.Top, grid.Width, grid.Height);
}

}  // namespace zelvorn
