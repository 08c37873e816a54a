#pragma once

#include <QAbstractScrollArea>
#include <QRegion>

#include "controls/grid/cell_grid.h"
#include "controls/grid/grid_input.h"
#include "controls/grid/grid_window.h"

class QScrollBar;

namespace zelvorn {

class TPanOriginMarker;

// The window that shows a TCellGrid: a scroll area with a 2-pixel sunken edge whose viewport is
// the grid's client area. It turns Qt's events into calls on the grid and carries out what the
// grid asks of its window; it decides nothing itself.
//
// Its scroll bars have the range 0..127 while their axis can scroll and are hidden otherwise.
// The client size follows a range change at once (see ClientRect), so the grid's two-pass range
// update sees the size that showing or hiding a bar gives, before Qt has laid the bars out.
// Nothing is erased: the viewport paints opaquely over what is marked.
class TCellGridWidget : public QAbstractScrollArea, public IGridWindow {
  Q_OBJECT

 public:
  explicit TCellGridWidget(QWidget* parent = nullptr);
  ~TCellGridWidget() override;

  TCellGrid& Grid() { return grid_; }
  const TCellGrid& Grid() const { return grid_; }
  // The state machine that the widget's mouse, keyboard, wheel and focus events drive.
  const TGridInput& Input() const { return input_; }

  // IGridWindow.
  bool Showing() const override;
  std::int32_t Width() const override;
  std::int32_t Height() const override;
  void SetSize(std::int32_t width, std::int32_t height) override;
  TRect ClientRect() const override;
  void Invalidate(const TRect& rect) override;
  void FlushPaints() override;
  void ScrollContents(const TRect& area, std::int32_t dx, std::int32_t dy) override;
  void InvalidateFrame() override;
  void SetScrollRange(TScrollBarKind bar, std::int32_t min, std::int32_t max) override;
  bool ScrollBarShown(TScrollBarKind bar) const override;
  std::int32_t ScrollPos(TScrollBarKind bar) const override;
  void SetScrollPos(TScrollBarKind bar, std::int32_t pos) override;
  std::int32_t ScrollBarThickness(TScrollBarKind bar) const override;
  void SetCapture() override;
  void ReleaseCapture() override;
  bool HasCapture() const override;
  void SendCancelModeToFocused() override;
  bool CanFocus() const override;
  void SetFocus() override;
  bool Focused() const override;
  bool IsActiveControl() const override;
  TPoint PointerPos() const override;
  void SetCursor(TGridCursor cursor) override;
  void DrawPanOrigin(TPoint origin) override;
  void ErasePanOrigin() override;
  std::int32_t WheelScrollLines() const override;

 protected:
  // Paints the frame over the scroll area's own, after it.
  bool event(QEvent* event) override;
  // Paints the viewport, the grid's client area.
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  // The grid moves the pixels itself when its top-left cell changes; the scroll area must not.
  void scrollContentsBy(int dx, int dy) override;

  // Input, passed on to the grid's TGridInput. Mouse and wheel messages count only over the
  // viewport, the grid's client area; presses on the edge are not the grid's. The viewport also
  // takes the cancel-mode event (CancelModeEventType()), since it holds the capture.
  bool viewportEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QScrollBar* Bar(TScrollBarKind bar) const;
  void ConnectBar(TScrollBarKind bar);
  void BarAction(TScrollBarKind bar, int action);
  void BarReleased(TScrollBarKind bar);
  // The bar's value was set directly, not through an action: the view follows, in whole lines.
  void BarValueSet(TScrollBarKind bar, int value);
  // Puts the bar's thumb back where the grid last put it, after Qt moved it on its own.
  void SyncThumb(TScrollBarKind bar);
  void PaintFrame();

  TCellGrid grid_;
  TGridInput input_{grid_};
  QRegion pending_;  // marked and not painted yet
  // Set while the grid writes a bar's range or position: only the other changes of a bar's
  // value are the person's.
  bool writing_bar_ = false;

  void MouseEvent(QMouseEvent* event);
  void WheelEvent(QWheelEvent* event);
  // A child of the viewport, made when first needed.
  TPanOriginMarker* pan_marker_ = nullptr;
  // The client position of the last mouse or wheel event over the viewport.
  TPoint last_pointer_;
};

}  // namespace zelvorn
