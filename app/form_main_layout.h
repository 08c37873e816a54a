#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/grid/grid_types.h"
#include "controls/timebox/time_box_look.h"
#include "platform/color.h"
#include "platform/font.h"
#include "training/training_controller.h"

namespace zelvorn {

class TCellGrid;
class TTimer;

// Where a control stands in its parent's client area, in pixels.
struct TBounds {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};

// The main window's stored layout as plain data: every host builds its window and controls from
// it, applying the values in the order they stand here, so positions, fonts and captions are
// written once. Fonts carry their height in pixels (negative: the character height without
// internal leading), as the layout was designed at 96 pixels per inch.
struct TFormMainLayout {
  struct TForm {
    std::string Caption;
    // The client area the contents are laid out in; the window opens centred on the screen.
    std::int32_t ClientWidth = 0;
    std::int32_t ClientHeight = 0;
    TColor Color = clBtnFace;
    TFont Font;
  };
  // The top strip: as wide as the window, always this high.
  struct TPanel {
    std::int32_t Height = 0;
  };
  struct TLabel {
    TBounds Bounds;
    std::string Caption;
    // Whether the label has a font of its own rather than the window's.
    bool OwnFont = false;
    TFont Font;
    // What screen readers call it, when not its caption; a label so named shows a count, which
    // they read as its value.
    std::string AccessibleName;
  };
  struct TComboBox {
    TBounds Bounds;
    std::int32_t ItemHeight = 0;
    std::vector<std::string> Items;
    std::int32_t ItemIndex = -1;
    std::string Text;
  };
  struct TButton {
    TBounds Bounds;
    std::string Caption;
  };
  struct TTimeBox {
    TBounds Bounds;
    TTimeBoxLook Look;
    bool NowBegin = false;
    bool NowPause = false;
    std::string AccessibleName;
  };
  // The grid fills the client area below the strip.
  struct TGrid {
    std::int32_t DefaultColWidth = 0;
    std::int32_t DefaultRowHeight = 0;
    std::int32_t FixedCols = 0;
    std::int32_t FixedRows = 0;
    std::int32_t RowCount = 0;
    TFont Font;
    TFont FixedFont;
    TGridOptions Options;
    TScrollStyle ScrollBars = TScrollStyle::ssBoth;
    std::string AccessibleName;
  };
  struct TTimer {
    bool Enabled = false;
  };

  TForm Form;
  TPanel Panel1;
  TLabel Label1;
  TLabel Label2;
  TComboBox ComboBox1;
  TButton Button1;
  TTimeBox VosTimeBox1;
  TGrid CellGrid1;
  TTimer Timer1;
};

// The main window as it was designed.
const TFormMainLayout& FormMainLayout();

// Where the strip and the grid stand in a client area of this size: the strip keeps its height
// along the top, the grid takes the rest.
TBounds StripBounds(std::int32_t client_width);
TBounds GridBounds(std::int32_t client_width, std::int32_t client_height);

// The run timer as stored.
std::unique_ptr<TTimer> LoadTimer(const TFormMainLayout::TTimer& stored);

// Applies the grid's stored values, fixed counts before RowCount so that they take effect.
void LoadCellGrid(TCellGrid& grid, const TFormMainLayout::TGrid& stored);

// The stored values of the strip's controls, applied to any host's controls in the order they
// stand in the layout.

template <class TLabelControl>
void LoadLabel(TLabelControl& label, const TFormMainLayout::TLabel& stored) {
  label.SetCaption(stored.Caption);
  if (stored.OwnFont) label.SetFont(stored.Font);
}

template <class TComboBoxControl>
void LoadComboBox(TComboBoxControl& box, const TFormMainLayout::TComboBox& stored) {
  for (const std::string& item : stored.Items) box.AddItem(item);
  box.SetItemIndex(stored.ItemIndex);
  box.SetText(stored.Text);
}

// The clock is started or stopped first, then paused or let run, so that a stopped clock that is
// not paused keeps its timer on and idles.
template <class TTimeBoxControl>
void LoadTimeBox(TTimeBoxControl& box, const TFormMainLayout::TTimeBox& stored) {
  box.SetLook(stored.Look);
  box.Clock().SetNowBegin(stored.NowBegin);
  box.Clock().SetNowPause(stored.NowPause);
}

// The main window's four handlers, the training controller's, and their wiring to the grid's
// events and the run timer. The host wires the start button's click to Button1Click.
class TFormMainHandlers {
 public:
  explicit TFormMainHandlers(TTrainingPorts ports) : controller_(std::move(ports)) {}

  // Binds OnGetAlignment and OnClickCell to this object's handlers.
  void BindGrid(TCellGrid& grid);
  // Binds OnTimer to Timer1Timer.
  void BindTimer(TTimer& timer);

  void Timer1Timer() { controller_.Timer1Timer(); }
  void Button1Click() { controller_.Button1Click(); }
  void CellGrid1GetAlignment(std::int32_t ARow, std::int32_t ACol, TAlignment& HAlign,
                             TVAlignment& VAlign) {
    controller_.CellGrid1GetAlignment(ARow, ACol, HAlign, VAlign);
  }
  void CellGrid1ClickCell(std::int32_t ARow, std::int32_t ACol) {
    controller_.CellGrid1ClickCell(ARow, ACol);
  }

 private:
  TTrainingController controller_;
};

}  // namespace zelvorn
