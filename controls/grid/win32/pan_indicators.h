#pragma once

#include "controls/grid/grid_types.h"
#include "platform/geometry.h"
#include "platform/win32/window.h"
#include "platform/win32/windows_api.h"

namespace zelvorn {

// The pictures of middle-button panning, drawn with GDI.

// The pointer while panning: a dot with an arrowhead above and below it at rest, only the lower
// one while the current cell runs down, only the upper one while it runs up; black with a white
// rim, so that it shows on any cell colour, its hot spot on the dot. crDefault is the arrow.
// The pan shapes are made once and kept for the life of the process.
HCURSOR PanCursor(TGridCursor shape);

// The origin marker on screen: a round child window of the grid, a light disc with a gray rim
// holding the dot and both arrowheads, through which the mouse passes to the grid. The grid
// clips its painting to leave it alone; hiding it has the grid repaint what lay beneath.
class TPanOriginMarker final : public TWindow {
 public:
  static void RegisterWindowClass(HINSTANCE instance);

  explicit TPanOriginMarker(HWND grid) : grid_(grid) {}

  // Shows the marker centred on a client point of the grid; nothing changes when it is already
  // shown there.
  void ShowAt(TPoint centre);
  void Hide();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Paint();

  HWND grid_;
  bool shown_ = false;
  TPoint centre_;
};

}  // namespace zelvorn
