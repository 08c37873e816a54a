#include "controls/grid/qt/pan_indicators.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

#include "controls/grid/pan_glyph.h"
#include "platform/color.h"
#include "platform/geometry.h"

namespace zelvorn {

namespace {

// In device-independent pixels; even, so that the centre falls on a pixel corner and the shapes
// drawn around it are symmetric to the pixel.
constexpr int kCursorSize = 24;

// A transparent square image for drawing at the given density, in device-independent pixels.
QImage BlankImage(int size, qreal device_pixel_ratio) {
  const int pixels = qRound(size * device_pixel_ratio);
  QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(device_pixel_ratio);
  image.fill(Qt::transparent);
  return image;
}

// The glyph's dot and arrowheads around (centre, centre).
QPainterPath PanGlyphPath(int centre, const TPanGlyph& glyph) {
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  path.addEllipse(QPointF(centre, centre), kPanDotRadius, kPanDotRadius);
  for (const bool up : {true, false}) {
    if (!(up ? glyph.Up : glyph.Down)) continue;
    const std::array<TPoint, 3> head = PanArrowHead({centre, centre}, glyph.Reach, up);
    path.moveTo(head[0].X, head[0].Y);
    path.lineTo(head[1].X, head[1].Y);
    path.lineTo(head[2].X, head[2].Y);
    path.closeSubpath();
  }
  return path;
}

QColor QColorOf(TColor color) { return QColor(RedOf(color), GreenOf(color), BlueOf(color)); }

}  // namespace

QImage PanCursorImage(TGridCursor shape, qreal device_pixel_ratio) {
  if (shape == TGridCursor::crDefault) return {};
  QImage image = BlankImage(kCursorSize, device_pixel_ratio);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPainterPath glyph = PanGlyphPath(kCursorSize / 2, PanCursorGlyph(shape));
  // The rim: the glyph's outline drawn wide in white, then the glyph filled over it.
  painter.strokePath(
      glyph, QPen(Qt::white, kPanCursorRimWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.fillPath(glyph, Qt::black);
  return image;
}

QCursor PanCursor(TGridCursor shape, qreal device_pixel_ratio) {
  if (shape == TGridCursor::crDefault) return QCursor(Qt::ArrowCursor);
  const QPixmap pixmap = QPixmap::fromImage(PanCursorImage(shape, device_pixel_ratio));
  return QCursor(pixmap, kCursorSize / 2, kCursorSize / 2);
}

QImage PanOriginImage(qreal device_pixel_ratio) {
  QImage image = BlankImage(kPanMarkerSize, device_pixel_ratio);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal centre = kPanMarkerSize / 2.0;
  // A one-pixel rim centred half a pixel inside the disc's edge stays on whole pixels. The disc
  // lets a little of the cell beneath show through.
  painter.setPen(QPen(QColorOf(kPanMarkerRim), 1));
  painter.setBrush(QColor(255, 255, 255, 235));
  painter.drawEllipse(QPointF(centre, centre), centre - 0.5, centre - 0.5);
  painter.fillPath(PanGlyphPath(kPanMarkerSize / 2, TPanGlyph{}), QColorOf(kPanMarkerGlyph));
  return image;
}

TPanOriginMarker::TPanOriginMarker(QWidget* viewport) : QWidget(viewport) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
  resize(kPanMarkerSize, kPanMarkerSize);
  hide();
}

void TPanOriginMarker::ShowAt(QPoint centre) {
  move(centre - QPoint(kPanMarkerSize / 2, kPanMarkerSize / 2));
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
