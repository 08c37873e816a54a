#include "controls/grid/qt/cell_grid_widget.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <QtMath>
#include <optional>

#include "controls/grid/grid_painter.h"
#include "controls/grid/qt/grid_keys.h"
#include "controls/grid/qt/pan_indicators.h"
#include "platform/error_boundary.h"
#include "platform/qt/cancel_mode.h"
#include "platform/qt/canvas.h"
#include "platform/qt/geometry.h"

namespace zelvorn {

namespace {

// Qt's plain "windows" style draws controls as the platform does without visual styles; every
// other style draws them in one.
TThemes PlatformThemes() {
  const bool plain = QApplication::style()->name().compare(u"windows", Qt::CaseInsensitive) == 0;
  return plain ? TThemes::kInactive : TThemes::kActive;
}

std::optional<TMouseButton> GridButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return TMouseButton::mbLeft;
    case Qt::RightButton:
      return TMouseButton::mbRight;
    case Qt::MiddleButton:
      return TMouseButton::mbMiddle;
    default:
      return std::nullopt;
  }
}

// The pixel under a position that may lie between pixels on a high-density screen.
TPoint GridPoint(QPointF position) { return {qFloor(position.x()), qFloor(position.y())}; }

}  // namespace

TCellGridWidget::TCellGridWidget(QWidget* parent)
    : QAbstractScrollArea(parent), grid_(PlatformThemes()) {
  // The sunken edge of a bordered window: 2 pixels on every side.
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  // Tabbing reaches the grid. A press does too, but the grid takes the focus itself in its
  // press handling: Qt must not give it beforehand (a press that OnCanClickCell refuses leaves
  // the focus where it was).
  setFocusPolicy(Qt::TabFocus);
  // The painter covers every pixel it is asked for, so Qt need not clear the area beforehand.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAutoFillBackground(false);
  for (TScrollBarKind bar : {TScrollBarKind::sbHorizontal, TScrollBarKind::sbVertical}) {
    ConnectBar(bar);
    SetScrollRange(bar, 0, 0);
  }
  // The window takes the size the grid was made with; from now on the window's size rules.
  resize(grid_.View().Width(), grid_.View().Height());
  grid_.View().AttachWindow(this);
  input_.WindowAttached();
}

TCellGridWidget::~TCellGridWidget() { grid_.View().AttachWindow(nullptr); }

// ---- IGridWindow ----

bool TCellGridWidget::Showing() const { return isVisible(); }
std::int32_t TCellGridWidget::Width() const { return width(); }
std::int32_t TCellGridWidget::Height() const { return height(); }
void TCellGridWidget::SetSize(std::int32_t width, std::int32_t height) { resize(width, height); }

TRect TCellGridWidget::ClientRect() const {
  // Computed from the bars the grid asked for, not from the viewport's geometry: Qt lays the bars
  // out only when it is next free to, but the grid must see the new client size at once.
  const QRect inside = contentsRect();
  std::int32_t width = inside.width();
  std::int32_t height = inside.height();
  if (ScrollBarShown(TScrollBarKind::sbVertical)) {
    width -= ScrollBarThickness(TScrollBarKind::sbVertical);
  }
  if (ScrollBarShown(TScrollBarKind::sbHorizontal)) {
    height -= ScrollBarThickness(TScrollBarKind::sbHorizontal);
  }
  return {0, 0, std::max(0, width), std::max(0, height)};
}

void TCellGridWidget::Invalidate(const TRect& rect) {
  if (rect.IsEmpty()) return;
  pending_ += ToQRect(rect);
  viewport()->update(ToQRect(rect));
}

void TCellGridWidget::FlushPaints() {
  // A synchronous repaint of what is marked; Qt paints every other pending region of the window
  // along with it.
  if (!pending_.isEmpty()) viewport()->repaint(pending_);
}

void TCellGridWidget::ScrollContents(const TRect& area, std::int32_t dx, std::int32_t dy) {
  viewport()->scroll(dx, dy, ToQRect(area));
}

void TCellGridWidget::InvalidateFrame() {
  // Only the edge: the viewport and the bars inside it keep their pixels.
  update(QRegion(rect()).subtracted(QRegion(contentsRect())));
}

void TCellGridWidget::SetScrollRange(TScrollBarKind bar, std::int32_t min, std::int32_t max) {
  {
    const QScopedValueRollback writing(writing_bar_, true);
    Bar(bar)->setRange(min, max);
  }
  // The bar is shown exactly while it can scroll. Setting the policy lays the bars out at once
  // when the widget is visible, so the viewport follows ClientRect() without waiting.
  const Qt::ScrollBarPolicy policy = max > min ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  if (bar == TScrollBarKind::sbHorizontal) {
    if (horizontalScrollBarPolicy() != policy) setHorizontalScrollBarPolicy(policy);
  } else if (verticalScrollBarPolicy() != policy) {
    setVerticalScrollBarPolicy(policy);
  }
}

bool TCellGridWidget::ScrollBarShown(TScrollBarKind bar) const {
  const QScrollBar* scroll_bar = Bar(bar);
  return scroll_bar->minimum() < scroll_bar->maximum();
}

std::int32_t TCellGridWidget::ScrollPos(TScrollBarKind bar) const { return Bar(bar)->value(); }

void TCellGridWidget::SetScrollPos(TScrollBarKind bar, std::int32_t pos) {
  const QScopedValueRollback writing(writing_bar_, true);
  Bar(bar)->setValue(pos);
}

std::int32_t TCellGridWidget::ScrollBarThickness(TScrollBarKind bar) const {
  // The extent Qt's scroll-area layout gives a bar.
  return bar == TScrollBarKind::sbVertical ? verticalScrollBar()->sizeHint().width()
                                           : horizontalScrollBar()->sizeHint().height();
}

// The grab keeps moves coming where the platform allows it; tracking keeps them coming over the
// viewport without a button held (panning), where a compositor gives no grab to a client.
void TCellGridWidget::SetCapture() {
  viewport()->setMouseTracking(true);
  viewport()->grabMouse();
}

void TCellGridWidget::ReleaseCapture() {
  viewport()->setMouseTracking(false);
  if (HasCapture()) viewport()->releaseMouse();
}

bool TCellGridWidget::HasCapture() const { return QWidget::mouseGrabber() == viewport(); }

void TCellGridWidget::SendCancelModeToFocused() {
  QWidget* focused = window()->focusWidget();
  if (focused == nullptr || focused == this) return;
  QEvent cancel(CancelModeEventType());
  QCoreApplication::sendEvent(focused, &cancel);
}

bool TCellGridWidget::CanFocus() const {
  return isVisible() && isEnabled() && (focusPolicy() & Qt::TabFocus) != 0;
}

void TCellGridWidget::SetFocus() { setFocus(Qt::OtherFocusReason); }
bool TCellGridWidget::Focused() const { return hasFocus(); }
bool TCellGridWidget::IsActiveControl() const { return window()->focusWidget() == this; }

// Where the last mouse event put the pointer: a global pointer position is not something every
// windowing system tells a client.
TPoint TCellGridWidget::PointerPos() const { return last_pointer_; }

void TCellGridWidget::SetCursor(TGridCursor cursor) {
  if (cursor == TGridCursor::crDefault) {
    viewport()->unsetCursor();
  } else {
    viewport()->setCursor(PanCursor(cursor, viewport()->devicePixelRatioF()));
  }
}

void TCellGridWidget::DrawPanOrigin(TPoint origin) {
  if (pan_marker_ == nullptr) pan_marker_ = new TPanOriginMarker(viewport());
  pan_marker_->ShowAt(ToQPoint(origin));
}

void TCellGridWidget::ErasePanOrigin() {
  if (pan_marker_ != nullptr) pan_marker_->hide();
}

std::int32_t TCellGridWidget::WheelScrollLines() const { return QApplication::wheelScrollLines(); }

// ---- Qt events ----

void TCellGridWidget::paintEvent(QPaintEvent* event) {
  pending_ -= event->region();
  Guarded([&] {
    QPainter painter(viewport());
    TQtCanvas canvas(painter, event->region(), palette());
    TGridPainter(grid_).PaintClientArea(canvas);
  });
}

void TCellGridWidget::PaintFrame() {
  QPainter painter(this);
  TQtCanvas canvas(painter, palette());
  std::optional<TColor> parent_color;
  if (const QWidget* parent = parentWidget()) {
    const QColor color = parent->palette().color(parent->backgroundRole());
    parent_color = RGB(color.red(), color.green(), color.blue());
  }
  TGridPainter(grid_).PaintFrame(canvas, width(), height(), parent_color);
}

bool TCellGridWidget::event(QEvent* event) {
  const bool handled = QAbstractScrollArea::event(event);
  // The grid hears of a new size only once Qt has laid out the bars and the viewport for it. The
  // grid may show or hide a bar in reply, which lays them out again; doing that from within
  // Qt's own layout pass (the viewport's resize) would be undone when that pass carries on.
  if (event->type() == QEvent::Resize) Guarded([this] { grid_.WindowResized(); });
  // The scroll area has drawn its sunken edge; the grid's frame replaces it.
  if (event->type() == QEvent::Paint) Guarded([this] { PaintFrame(); });
  return handled;
}

void TCellGridWidget::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  Guarded([this] { grid_.WindowShown(); });
}

void TCellGridWidget::scrollContentsBy(int, int) {}

// ---- Scroll bars ----

QScrollBar* TCellGridWidget::Bar(TScrollBarKind bar) const {
  return bar == TScrollBarKind::sbHorizontal ? horizontalScrollBar() : verticalScrollBar();
}

void TCellGridWidget::ConnectBar(TScrollBarKind bar) {
  QScrollBar* scroll_bar = Bar(bar);
  // The grid, not the bar, decides the position: a dragged thumb reports where it is, and the
  // bar's value changes only when the grid writes it.
  scroll_bar->setTracking(false);
  scroll_bar->setFocusPolicy(Qt::NoFocus);
  connect(scroll_bar, &QAbstractSlider::actionTriggered, this,
          [this, bar](int action) { input_.Guarded([&] { BarAction(bar, action); }); });
  connect(scroll_bar, &QAbstractSlider::sliderMoved, this, [this, bar](int pos) {
    input_.Guarded([&] { grid_.View().ScrollMessage(bar, TScrollCode::scTrack, pos); });
  });
  connect(scroll_bar, &QAbstractSlider::sliderReleased, this,
          [this, bar] { input_.Guarded([&] { BarReleased(bar); }); });
  // The bar's context menu ("Scroll here") sets the value without an action.
  connect(scroll_bar, &QAbstractSlider::valueChanged, this, [this, bar](int value) {
    if (!writing_bar_) input_.Guarded([&] { BarValueSet(bar, value); });
  });
}

void TCellGridWidget::BarAction(TScrollBarKind bar, int action) {
  TScrollCode code;
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
      code = TScrollCode::scLineUp;
      break;
    case QAbstractSlider::SliderSingleStepAdd:
      code = TScrollCode::scLineDown;
      break;
    case QAbstractSlider::SliderPageStepSub:
      code = TScrollCode::scPageUp;
      break;
    case QAbstractSlider::SliderPageStepAdd:
      code = TScrollCode::scPageDown;
      break;
    case QAbstractSlider::SliderToMinimum:
      code = TScrollCode::scTop;
      break;
    case QAbstractSlider::SliderToMaximum:
      code = TScrollCode::scBottom;
      break;
    default:
      // A move the bar made on its own (a wheel turn over it): a dragged thumb is left to follow
      // the pointer, anything else goes back to the grid's position.
      if (!Bar(bar)->isSliderDown()) SyncThumb(bar);
      return;
  }
  grid_.View().ScrollMessage(bar, code, Bar(bar)->sliderPosition());
  SyncThumb(bar);
}

void TCellGridWidget::BarReleased(TScrollBarKind bar) {
  const std::int32_t thumb = Bar(bar)->sliderPosition();
  grid_.View().ScrollMessage(bar, TScrollCode::scPosition, thumb);
  grid_.View().ScrollMessage(bar, TScrollCode::scEndScroll, thumb);
  SyncThumb(bar);
}

void TCellGridWidget::BarValueSet(TScrollBarKind bar, int value) {
  grid_.View().ScrollMessage(bar, TScrollCode::scPosition, value);
  grid_.View().ScrollMessage(bar, TScrollCode::scEndScroll, value);
  // The grid writes the thumb only when the view moved; a value within the current line must
  // still go back to that line's place.
  grid_.View().UpdateScrollPositions();
  SyncThumb(bar);
}

void TCellGridWidget::SyncThumb(TScrollBarKind bar) {
  QScrollBar* scroll_bar = Bar(bar);
  scroll_bar->setSliderPosition(scroll_bar->value());
}

// ---- Input ----

bool TCellGridWidget::viewportEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
      input_.Guarded([&] { MouseEvent(static_cast<QMouseEvent*>(event)); });
      return event->isAccepted();
    case QEvent::Wheel:
      input_.Guarded([&] { WheelEvent(static_cast<QWheelEvent*>(event)); });
      return event->isAccepted();
    default:
      break;
  }
  if (event->type() == CancelModeEventType()) {
    Guarded([this] { input_.CancelMode(); });
    return true;
  }
  return QAbstractScrollArea::viewportEvent(event);
}

void TCellGridWidget::MouseEvent(QMouseEvent* event) {
  const TShiftState shift = GridShift(event->modifiers(), event->buttons());
  const TPoint point = GridPoint(event->position());
  last_pointer_ = point;
  if (event->type() == QEvent::MouseMove) {
    input_.MouseMove(shift, point);
    return;
  }
  const std::optional<TMouseButton> button = GridButton(event->button());
  if (!button) {
    event->ignore();
    return;
  }
  const TMouseAction action = event->type() == QEvent::MouseButtonPress ? TMouseAction::kDown
                              : event->type() == QEvent::MouseButtonDblClick
                                  ? TMouseAction::kDoubleClick
                                  : TMouseAction::kUp;
  input_.MouseButton(action, *button, shift, point);
}

void TCellGridWidget::WheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) {
    event->ignore();
    return;
  }
  last_pointer_ = GridPoint(event->position());
  // Qt's angle delta is in the core's units: eighths of a degree, positive away from the user.
  input_.MouseWheel(delta, GridShift(event->modifiers(), event->buttons()), last_pointer_);
}

void TCellGridWidget::keyPressEvent(QKeyEvent* event) {
  input_.Guarded([&] {
    // Select-all by its key sequence: the letter's code differs between keyboard layouts.
    const bool select_all = event->matches(QKeySequence::SelectAll);
    const std::uint16_t key = select_all ? kKeyA : GridKey(event->key());
    TShiftState shift = GridShift(event->modifiers());
    if (select_all) shift.Include(TShiftStateFlag::ssCtrl);
    const bool used = input_.KeyDown(key, shift);
    if (!used) event->ignore();
  });
}

// Neither handler calls the scroll area's own, which would repaint the whole control.
void TCellGridWidget::focusInEvent(QFocusEvent*) {
  input_.Guarded([this] { input_.FocusGained(); });
}
void TCellGridWidget::focusOutEvent(QFocusEvent*) {
  input_.Guarded([this] { input_.FocusLost(); });
}

}  // namespace zelvorn
