#include "controls/grid/qt/pan_indicators.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace zelvorn {

namespace {

// Sizes in device-independent pixels. Both are even, so that the centre falls on a pixel corner
// and the shapes drawn around it are symmetric to the pixel.
constexpr int kCursorSize = 24;
constexpr int kMarkerSize = 26;

// A transparent square image for drawing at the given density, in device-independent pixels.
QImage BlankImage(int size, qreal device_pixel_ratio) {
  const int pixels = qRound(size * device_pixel_ratio);
  QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(device_pixel_ratio);
  image.fill(Qt::transparent);
  return image;
}

// A triangle pointing from its base line at `base_y` to its tip at `tip_y`.
QPainterPath ArrowHead(qreal centre_x, qreal tip_y, qreal base_y, qreal half_width) {
  QPainterPath path;
  path.moveTo(centre_x, tip_y);
  path.lineTo(centre_x + half_width, base_y);
  path.lineTo(centre_x - half_width, base_y);
  path.closeSubpath();
  return path;
}

// The dot and the arrowheads that both pictures share, around (centre, centre).
QPainterPath PanGlyph(qreal centre, qreal reach, bool up, bool down) {
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  path.addEllipse(QPointF(centre, centre), 2, 2);
  if (up) path.addPath(ArrowHead(centre, centre - reach, centre - 4, reach - 4));
  if (down) path.addPath(ArrowHead(centre, centre + reach, centre + 4, reach - 4));
  return path;
}

}  // namespace

QImage PanCursorImage(TGridCursor shape, qreal device_pixel_ratio) {
  if (shape == TGridCursor::crDefault) return {};
  QImage image = BlankImage(kCursorSize, device_pixel_ratio);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  // Shapes on the move are drawn a little longer than at rest, so the direction reads at once.
  const bool up = shape != TGridCursor::crPanDown;
  const bool down = shape != TGridCursor::crPanUp;
  const qreal reach = shape == TGridCursor::crPanRest ? 9 : 10;
  const QPainterPath glyph = PanGlyph(kCursorSize / 2.0, reach, up, down);
  // The rim: the glyph's outline drawn wide in white, then the glyph filled over it.
  painter.strokePath(glyph, QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.fillPath(glyph, Qt::black);
  return image;
}

QCursor PanCursor(TGridCursor shape, qreal device_pixel_ratio) {
  if (shape == TGridCursor::crDefault) return QCursor(Qt::ArrowCursor);
  const QPixmap pixmap = QPixmap::fromImage(PanCursorImage(shape, device_pixel_ratio));
  return QCursor(pixmap, kCursorSize / 2, kCursorSize / 2);
}

QImage PanOriginImage(qreal device_pixel_ratio) {
  QImage image = BlankImage(kMarkerSize, device_pixel_ratio);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal centre = kMarkerSize / 2.0;
  // A one-pixel rim centred half a pixel inside the disc's edge stays on whole pixels.
  painter.setPen(QPen(QColor(96, 96, 96), 1));
  painter.setBrush(QColor(255, 255, 255, 235));
  painter.drawEllipse(QPointF(centre, centre), centre - 0.5, centre - 0.5);
  painter.fillPath(PanGlyph(centre, 9, true, true), QColor(48, 48, 48));
  return image;
}

TPanOriginMarker::TPanOriginMarker(QWidget* viewport) : QWidget(viewport) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
  resize(kMarkerSize, kMarkerSize);
  hide();
}

void TPanOriginMarker::ShowAt(QPoint centre) {
  move(centre - QPoint(kMarkerSize / 2, kMarkerSize / 2));
  if (!isVisible()) {
    show();
    raise();
  }
}

void TPanOriginMarker::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), PanOriginImage(devicePixelRatioF()));
}

}  // namespace zelvorn
