#pragma once

#include <QCursor>
#include <QImage>
#include <QWidget>

#include "controls/grid/grid_types.h"

namespace zelvorn {

// The pictures of middle-button panning, drawn by the program itself at the screen's device
// pixel ratio, so that they stay sharp on high-density screens.

// The pointer while panning: a dot with an arrowhead above and below it at rest, only the lower
// one while the current cell runs down, only the upper one while it runs up. Black with a white
// rim, so it shows on any cell colour. The hot spot is the dot. crDefault gives the arrow.
QCursor PanCursor(TGridCursor shape, qreal device_pixel_ratio);
// The picture of a pan cursor, as PanCursor uses it (an empty image for crDefault).
QImage PanCursorImage(TGridCursor shape, qreal device_pixel_ratio);

// The origin marker: a light disc with a gray rim holding a dot and the two arrowheads, marking
// the point where panning started.
QImage PanOriginImage(qreal device_pixel_ratio);

// The origin marker on screen: a small child of the grid's viewport that lets the mouse through.
// Hiding it erases it: its parent repaints what lies beneath.
class TPanOriginMarker : public QWidget {
 public:
  explicit TPanOriginMarker(QWidget* viewport);

  // Shows the marker centred on a point of the viewport; nothing changes when it is already
  // shown there.
  void ShowAt(QPoint centre);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace zelvorn
