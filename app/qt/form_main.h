#pragma once

#include <QWidget>
#include <memory>

#include "app/form_main_layout.h"
#include "app/training_ports.h"
#include "platform/timer.h"

namespace zelvorn {

class TApplication;
class TButton;
class TCellGridWidget;
class TComboBox;
class TLabel;
class TPanel;
class TVosTimeBox;

// The main window on Qt: the strip at the top with the size chooser, the start button, the time
// box and the progress number, and the grid of numbers below it. It builds its controls from the
// layout data (FormMainLayout) and its four handlers are the training controller's. Closing it
// ends the program.
//
// The window opens with a client area of 568 × 604 pixels, centred on the screen; it can be
// resized (the strip keeps its height, the grid takes the rest) but not minimised or maximised.
class TForm_main : public QWidget {
 public:
  // Builds the window and its controls; the application owns it.
  explicit TForm_main(TApplication& owner);
  ~TForm_main() override;

  // The components, owned by the window, in the order the class declares them.
  TPanel* Panel1 = nullptr;
  TLabel* Label1 = nullptr;
  TComboBox* ComboBox1 = nullptr;
  TButton* Button1 = nullptr;
  TVosTimeBox* VosTimeBox1 = nullptr;
  TCellGridWidget* CellGrid1 = nullptr;
  std::unique_ptr<TTimer> Timer1;
  TLabel* Label2 = nullptr;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void LoadForm();
  void LoadPanel1();
  void LoadCellGrid1();
  // Lays the strip along the top and lets the grid take the rest of the client area.
  void Realign();

  using TTraining = TFormMainTraining<TVosTimeBox, TLabel, TComboBox, TButton>;

  TApplication& owner_;
  std::unique_ptr<TTraining> training_;
  bool sound_prepared_ = false;
};

}  // namespace zelvorn
