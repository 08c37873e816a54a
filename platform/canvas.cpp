#include "platform/canvas.h"

#include <QPaintEngine>
#include <QPainter>
#include <QString>
#include <cstdlib>
#include <vector>

#include "platform/qt_color.h"
#include "platform/qt_font.h"
#include "platform/qt_geometry.h"
#include "platform/qt_text_metrics.h"

namespace zelvorn {
namespace {

QRegion WholeDevice(const QPainter& painter) {
  const QPaintDevice* device = painter.device();
  const QRect device_rect(0, 0, device->width(), device->height());
  return QRegion(painter.transform().inverted().mapRect(device_rect));
}

// The band across a line that a pen of `width` pixels covers, as its first offset from the line.
std::int32_t BandStart(std::int32_t width) { return -(width / 2); }

// The pixels of a line that is neither horizontal nor vertical, end point excluded, each widened
// across the line's minor axis to the pen's width.
std::vector<QRect> SlantedLinePixels(TPoint from, TPoint to, std::int32_t width) {
  const std::int32_t dx = std::abs(to.X - from.X);
  const std::int32_t dy = -std::abs(to.Y - from.Y);
  const std::int32_t step_x = from.X < to.X ? 1 : -1;
  const std::int32_t step_y = from.Y < to.Y ? 1 : -1;
  const bool x_major = dx >= -dy;
  std::vector<QRect> pixels;
  std::int32_t error = dx + dy;
  for (TPoint p = from; p != to;) {
    pixels.push_back(x_major ? QRect(p.X, p.Y + BandStart(width), 1, width)
                             : QRect(p.X + BandStart(width), p.Y, width, 1));
    const std::int32_t doubled = 2 * error;
    if (doubled >= dy) {
      error += dy;
      p.X += step_x;
    }
    if (doubled <= dx) {
      error += dx;
      p.Y += step_y;
    }
  }
  return pixels;
}

// The dots of a focus rectangle: the pixels with x + y even on its one-pixel edges, each once,
// so that inverting them twice is the identity even for a rectangle one pixel wide or high.
std::vector<QRect> FocusDots(const TRect& rect) {
  std::vector<QRect> dots;
  const auto add = [&dots](std::int32_t x, std::int32_t y) {
    if ((x + y) % 2 == 0) dots.emplace_back(x, y, 1, 1);
  };
  const std::int32_t last_x = rect.Right - 1;
  const std::int32_t last_y = rect.Bottom - 1;
  for (std::int32_t x = rect.Left; x <= last_x; ++x) {
    add(x, rect.Top);
    if (last_y > rect.Top) add(x, last_y);
  }
  for (std::int32_t y = rect.Top + 1; y < last_y; ++y) {
    add(rect.Left, y);
    if (last_x > rect.Left) add(last_x, y);
  }
  return dots;
}

}  // namespace

TCanvas::TCanvas(QPainter& painter, const QRegion& repaint_region, const QPalette& palette)
    : painter_(painter), repaint_region_(repaint_region), palette_(palette) {
  painter_.save();
  // Fills and lines must land on whole pixels with hard edges; text keeps its smoothing.
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter_.setBrush(Qt::NoBrush);
  // Clipping costs on every fill, so it is left out when the whole device is repainted anyway.
  if (!WholeDevice(painter_).subtracted(repaint_region_).isEmpty()) {
    painter_.setClipRegion(repaint_region_, Qt::IntersectClip);
  }
}

TCanvas::TCanvas(QPainter& painter, const QPalette& palette)
    : TCanvas(painter, WholeDevice(painter), palette) {}

TCanvas::~TCanvas() { painter_.restore(); }

QColor TCanvas::Resolve(TColor color) const { return ToQColor(color, palette_); }

bool TCanvas::PenDraws() const { return pen_.Style == TPenStyle::psSolid && pen_.Color != clNone; }

// QPainter::fillRect with a whole-pixel QRect covers exactly its width x height pixels, unlike
// drawRect, whose outline lies one pixel outside the rectangle's right and bottom.
void TCanvas::Fill(const TRect& rect, const QColor& color) {
  if (!rect.IsEmpty()) painter_.fillRect(ToQRect(rect), color);
}

void TCanvas::FillRect(const TRect& rect) {
  if (brush_.Color != clNone) Fill(rect, Resolve(brush_.Color));
}

void TCanvas::Rectangle(const TRect& rect) {
  if (rect.IsEmpty()) return;
  // Cell backgrounds are drawn as a rectangle whose pen has the brush's colour: one fill does.
  if (!PenDraws() || pen_.Color == brush_.Color) {
    FillRect(rect);
    return;
  }
  const std::int32_t band = std::max(1, pen_.Width);
  const TRect inner{rect.Left + band, rect.Top + band, rect.Right - band, rect.Bottom - band};
  const QColor pen_color = Resolve(pen_.Color);
  if (inner.IsEmpty()) {
    Fill(rect, pen_color);
    return;
  }
  FillRect(inner);
  Fill({rect.Left, rect.Top, rect.Right, inner.Top}, pen_color);
  Fill({rect.Left, inner.Bottom, rect.Right, rect.Bottom}, pen_color);
  Fill({rect.Left, inner.Top, inner.Left, inner.Bottom}, pen_color);
  Fill({inner.Right, inner.Top, rect.Right, inner.Bottom}, pen_color);
}

void TCanvas::MoveTo(std::int32_t x, std::int32_t y) { pen_pos_ = {x, y}; }

void TCanvas::LineTo(std::int32_t x, std::int32_t y) {
  const TPoint from = pen_pos_;
  const TPoint to{x, y};
  pen_pos_ = to;
  if (!PenDraws() || from == to) return;
  const QColor color = Resolve(pen_.Color);
  const std::int32_t width = std::max(1, pen_.Width);
  const std::int32_t band = BandStart(width);
  if (from.Y == to.Y) {
    // Leftwards the line covers (to.X, from.X]: the start point, not the end point.
    const std::int32_t left = from.X < to.X ? from.X : to.X + 1;
    Fill({left, from.Y + band, left + std::abs(to.X - from.X), from.Y + band + width}, color);
  } else if (from.X == to.X) {
    const std::int32_t top = from.Y < to.Y ? from.Y : to.Y + 1;
    Fill({from.X + band, top, from.X + band + width, top + std::abs(to.Y - from.Y)}, color);
  } else {
    for (const QRect& pixel : SlantedLinePixels(from, to, width)) {
      painter_.fillRect(pixel, color);
    }
  }
}

void TCanvas::ApplyFont() {
  if (applied_font_ != font_) {
    applied_font_ = font_;
    qt_font_ = ToQFont(font_);
    painter_.setFont(qt_font_);
    qt_metrics_.emplace(painter_.fontMetrics());
  }
}

void TCanvas::DrawText(std::string_view text, const TRect& rect, TDrawTextFlags flags) {
  if (text.empty() || font_.Color == clNone) return;
  ApplyFont();
  const TTextLayout layout = LayoutText(text, rect, flags, TQtTextMetrics(*qt_metrics_));
  if (layout.Lines.empty()) return;
  const std::int32_t ascent = qt_metrics_->ascent();
  painter_.save();
  painter_.setClipRect(ToQRect(rect), Qt::IntersectClip);
  painter_.setPen(Resolve(font_.Color));
  for (const TTextLine& line : layout.Lines) {
    for (const TTextRun& run : line.Runs) {
      painter_.drawText(
          QPoint(run.Left, line.Top + ascent),
          QString::fromUtf8(run.Text.data(), static_cast<qsizetype>(run.Text.size())));
    }
  }
  painter_.restore();
}

void TCanvas::DrawFocusRect(const TRect& rect) {
  if (rect.IsEmpty() || !painter_.paintEngine()->hasFeature(QPaintEngine::RasterOpModes)) return;
  painter_.save();
  // White XOR a pixel is its inverse, and a second XOR gives the pixel back.
  painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(Qt::white);
  const std::vector<QRect> dots = FocusDots(rect);
  painter_.drawRects(dots.data(), static_cast<int>(dots.size()));
  painter_.restore();
}

bool TCanvas::RectVisible(const TRect& rect) const {
  return !rect.IsEmpty() && repaint_region_.intersects(ToQRect(rect));
}

}  // namespace zelvorn
