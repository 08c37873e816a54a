#pragma once

#include <cstdint>
#include <memory>

#include "app/training_ports.h"
#include "app/win32/form_controls.h"
#include "platform/alignment.h"
#include "platform/win32/window.h"

namespace zelvorn {

class TApplication;
class TCellGridWindow;
class TTimer;
class TVosTimeBox;

// The main window on Windows, a window of class "TForm_main": the strip at the top with the size
// chooser, the start button, the time box and the progress number, and the grid of numbers below
// it. It is built from the stored layout (FormMainLayout) and its four handlers are the training
// controller's. Closing it ends the program.
//
// The window opens with a client area of 568 × 604 pixels, centred on the screen; it can be
// resized (the strip keeps its height, the grid takes the rest) but not minimised or maximised.
class TForm_main : public TWindow {
 public:
  static constexpr wchar_t kClassName[] = L"TForm_main";
  // The controls' ids, which their notifications carry.
  static constexpr int kComboBox1Id = 101;
  static constexpr int kButton1Id = 102;
  static constexpr int kVosTimeBox1Id = 103;
  static constexpr int kCellGrid1Id = 104;

  // Builds the window, still hidden, from its stored layout; the application owns it.
  explicit TForm_main(TApplication& owner);
  ~TForm_main() override;

  // The components, owned by the window, in the order the class declares them.
  std::unique_ptr<TPanel> Panel1;
  std::unique_ptr<TLabel> Label1;
  std::unique_ptr<TComboBox> ComboBox1;
  std::unique_ptr<TButton> Button1;
  std::unique_ptr<TVosTimeBox> VosTimeBox1;
  std::unique_ptr<TCellGridWindow> CellGrid1;
  std::unique_ptr<TTimer> Timer1;
  std::unique_ptr<TLabel> Label2;

  // The control that had the focus when the window was last active, which gets it back.
  HWND FocusedControl() const { return focused_control_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  // The classes of the window and of its own controls (panel, grid).
  static void RegisterWindowClasses(HINSTANCE instance);
  void LoadForm();
  void LoadPanel1();
  void LoadCellGrid1();
  // The client area: its right and bottom are its size.
  RECT ClientRect() const;
  void NameForAssistiveTools();
  void Realign(int width, int height);

  using TTraining = TFormMainTraining<TVosTimeBox, TLabel, TComboBox, TButton>;

  TApplication& owner_;
  TFontHandle font_;
  std::unique_ptr<TTraining> training_;
  HWND focused_control_ = nullptr;
};

}  // namespace zelvorn
