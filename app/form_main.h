#pragma once

#include <QWidget>

namespace zelvorn {

class TApplication;

// The main window: "Zelvorn", a client area of 568 × 604 pixels centred on the screen, resizable,
// with a close button but no minimise or maximise button, on the button-face colour. Closing it
// ends the program.
class TForm_main : public QWidget {
 public:
  // Builds the window from its stored layout; the application owns it.
  explicit TForm_main(TApplication& owner);
};

}  // namespace zelvorn
