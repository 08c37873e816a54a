#include "controls/grid/cell_grid_widget.h"

#include <QApplication>
#include <QCursor>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <optional>

#include "controls/grid/grid_painter.h"
#include "platform/canvas.h"
#include "platform/qt_geometry.h"

namespace zelvorn {

namespace {

// Qt's plain "windows" style draws controls as the platform does without visual styles; every
// other style draws them in one.
TThemes PlatformThemes() {
  const bool plain = QApplication::style()->name().compare(u"windows", Qt::CaseInsensitive) == 0;
  return plain ? TThemes::kInactive : TThemes::kActive;
}

Qt::CursorShape CursorShape(TGridCursor cursor) {
  switch (cursor) {
    case TGridCursor::crPanRest:
    case TGridCursor::crPanDown:
    case TGridCursor::crPanUp:
      return Qt::SizeVerCursor;
    case TGridCursor::crDefault:
      break;
  }
  return Qt::ArrowCursor;
}

}  // namespace

TCellGridWidget::TCellGridWidget(QWidget* parent)
    : QAbstractScrollArea(parent), grid_(PlatformThemes()) {
  // The sunken edge of a bordered window: 2 pixels on every side.
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  setFocusPolicy(Qt::StrongFocus);
  // Every pixel of the client area comes from painting; nothing is erased first.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAutoFillBackground(false);
  for (TScrollBarKind bar : {TScrollBarKind::sbHorizontal, TScrollBarKind::sbVertical}) {
    ConnectBar(bar);
    SetScrollRange(bar, 0, 0);
  }
  // The window takes the size the grid was made with; from now on the window's size rules.
  resize(grid_.Width(), grid_.Height());
  grid_.AttachWindow(this);
}

TCellGridWidget::~TCellGridWidget() { grid_.AttachWindow(nullptr); }

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
  Bar(bar)->setRange(min, max);
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
  Bar(bar)->setValue(pos);
}

std::int32_t TCellGridWidget::ScrollBarThickness(TScrollBarKind bar) const {
  // The extent Qt's scroll-area layout gives a bar.
  return bar == TScrollBarKind::sbVertical ? verticalScrollBar()->sizeHint().width()
                                           : horizontalScrollBar()->sizeHint().height();
}

void TCellGridWidget::StartTimer(std::int32_t id, std::int32_t interval_ms) {
  StopTimer(id);
  timers_.insert(id, startTimer(interval_ms, Qt::PreciseTimer));
}

void TCellGridWidget::StopTimer(std::int32_t id) {
  if (const auto found = timers_.find(id); found != timers_.end()) {
    killTimer(found.value());
    timers_.erase(found);
  }
}

std::int32_t TCellGridWidget::GridTimerId(int qt_timer_id) const {
  return timers_.key(qt_timer_id, 0);
}

void TCellGridWidget::SetCapture() { viewport()->grabMouse(); }

void TCellGridWidget::ReleaseCapture() {
  if (HasCapture()) viewport()->releaseMouse();
}

bool TCellGridWidget::HasCapture() const { return QWidget::mouseGrabber() == viewport(); }

bool TCellGridWidget::CanFocus() const {
  return isVisible() && isEnabled() && (focusPolicy() & Qt::TabFocus) != 0;
}

void TCellGridWidget::SetFocus() { setFocus(Qt::OtherFocusReason); }
bool TCellGridWidget::Focused() const { return hasFocus(); }
bool TCellGridWidget::IsActiveControl() const { return window()->focusWidget() == this; }

TPoint TCellGridWidget::PointerPos() const {
  return FromQPoint(viewport()->mapFromGlobal(QCursor::pos()));
}

void TCellGridWidget::SetCursor(TGridCursor cursor) { viewport()->setCursor(CursorShape(cursor)); }

std::int32_t TCellGridWidget::WheelScrollLines() const { return QApplication::wheelScrollLines(); }

// ---- Qt events ----

void TCellGridWidget::paintEvent(QPaintEvent* event) {
  pending_ -= event->region();
  QPainter painter(viewport());
  TCanvas canvas(painter, event->region(), palette());
  TGridPainter(grid_).PaintClientArea(canvas);
}

void TCellGridWidget::PaintFrame() {
  QPainter painter(this);
  TCanvas canvas(painter, palette());
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
  if (event->type() == QEvent::Resize) grid_.WindowResized();
  // The scroll area has drawn its sunken edge; the grid's frame replaces it.
  if (event->type() == QEvent::Paint) PaintFrame();
  return handled;
}

void TCellGridWidget::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  grid_.WindowShown();
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
          [this, bar](int action) { BarAction(bar, action); });
  connect(scroll_bar, &QAbstractSlider::sliderMoved, this,
          [this, bar](int pos) { grid_.ScrollMessage(bar, TScrollCode::scTrack, pos); });
  connect(scroll_bar, &QAbstractSlider::sliderReleased, this, [this, bar] { BarReleased(bar); });
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
  grid_.ScrollMessage(bar, code, Bar(bar)->sliderPosition());
  SyncThumb(bar);
}

void TCellGridWidget::BarReleased(TScrollBarKind bar) {
  const std::int32_t thumb = Bar(bar)->sliderPosition();
  grid_.ScrollMessage(bar, TScrollCode::scPosition, thumb);
  grid_.ScrollMessage(bar, TScrollCode::scEndScroll, thumb);
  SyncThumb(bar);
}

void TCellGridWidget::SyncThumb(TScrollBarKind bar) {
  QScrollBar* scroll_bar = Bar(bar);
  scroll_bar->setSliderPosition(scroll_bar->value());
}

}  // namespace zelvorn
