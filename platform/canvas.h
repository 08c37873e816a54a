#pragma once

#include <QFontMetrics>
#include <QPalette>
#include <QRegion>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/color.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/text_layout.h"

class QPainter;

namespace zelvorn {

struct TPreparedText;

enum class TPenStyle {
  psSolid,
  // Draws no lines and no outline.
  psClear,
};

// The pen draws lines and rectangle outlines. A width below 1 draws as 1.
struct TPen {
  TColor Color = clBlack;
  std::int32_t Width = 1;
  TPenStyle Style = TPenStyle::psSolid;
};

// The brush fills. clNone fills nothing.
struct TBrush {
  TColor Color = clWhite;
};

// Drawing with the pixel rules the painters are written against, on a QPainter. All coordinates
// are the painter's own, and every rectangle is a TRect: Right and Bottom are exclusive, so a
// rectangle covers exactly Width() x Height() pixels. Fills and lines are never antialiased; text
// is. System colours resolve through the palette when something is drawn. Nothing here reports a
// failure: a colour of clNone, an empty rectangle or an empty text draws nothing.
//
// The painter must be active, and its transform, if any, a translation by whole pixels. The
// canvas leaves the painter's state as it found it when it is destroyed, which must happen before
// the painter ends. Pen, brush and font are the canvas's own; setting them costs nothing until
// something is drawn.
class TCanvas {
 public:
  // A canvas for repainting `repaint_region` (in the painter's coordinates): drawing is clipped
  // to it and RectVisible answers against it. For a widget's paint event, pass the event's
  // region.
  TCanvas(QPainter& painter, const QRegion& repaint_region, const QPalette& palette);
  // A canvas over the painter's whole device, such as a widget's whole window for its frame.
  TCanvas(QPainter& painter, const QPalette& palette);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TPen& Pen() { return pen_; }
  const TPen& Pen() const { return pen_; }
  void SetPen(const TPen& pen) { pen_ = pen; }
  TBrush& Brush() { return brush_; }
  const TBrush& Brush() const { return brush_; }
  void SetBrush(const TBrush& brush) { brush_ = brush; }
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font) { font_ = font; }
  // Where the next LineTo starts.
  TPoint PenPos() const { return pen_pos_; }

  // Paints every pixel of [Left, Right) x [Top, Bottom) with the brush.
  void FillRect(const TRect& rect);
  // Outlines the rectangle with the pen, inside it (a band of the pen's width along each edge),
  // and fills the rest with the brush: together they cover exactly the rectangle. With psClear
  // the brush fills all of it.
  void Rectangle(const TRect& rect);
  void MoveTo(std::int32_t x, std::int32_t y);
  // Draws a line from the pen position to (x, y), covering the start point and stopping one pixel
  // before the end point, and moves the pen position there. A slanted line has one pixel per step
  // along its longer axis, at the exact position across rounded half away from the start. A pen
  // W pixels wide covers, across the line, the pixels from the line's own minus W / 2 to that
  // plus W - 1 - W / 2; its ends are square, without caps.
  void LineTo(std::int32_t x, std::int32_t y);
  // Draws the text (UTF-8) laid out by LayoutText, clipped to `rect`, in the font and its colour
  // on a transparent background. A text is laid out and shaped once for its font, flags and
  // rectangle size, and later paints draw it from what was kept.
  void DrawText(std::string_view text, const TRect& rect, TDrawTextFlags flags);
  // Inverts the pixels (x, y) with x + y even along the inside edges of the rectangle: a dotted
  // frame that a second call with the same rectangle removes, restoring every pixel. On a device
  // that cannot invert pixels it draws nothing, because it could not be removed again.
  void DrawFocusRect(const TRect& rect);
  // Whether any pixel of the rectangle lies in the region being repainted.
  bool RectVisible(const TRect& rect) const;

 private:
  QColor Resolve(TColor color) const;
  bool PenDraws() const;
  void Fill(const TRect& rect, const QColor& color);
  void Fill(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
            const QColor& color);
  void DrawSlantedLine(TPoint from, std::int64_t dx, std::int64_t dy, std::int64_t width,
                       const QColor& color);
  void ApplyFont();
  void DrawPrepared(const TPreparedText& prepared, const TRect& rect);

  QPainter& painter_;
  QRegion repaint_region_;
  // The repaint region's bounding rectangle: nothing outside it needs drawing.
  TRect bounds_;
  QPalette palette_;
  TPen pen_;
  TBrush brush_;
  TFont font_;
  TPoint pen_pos_;
  // The last font set on the painter and its metrics: building a Qt font is costly, and the
  // cells of a paint all share one.
  std::optional<TFont> applied_font_;
  std::optional<QFontMetrics> qt_metrics_;
  std::int32_t font_ascent_ = 0;
  // The resolution the painter's font is measured at, which a font given in points depends on.
  std::int32_t font_dpi_ = 0;
  // The colour last given to the painter's pen for text.
  std::optional<QColor> text_pen_;
};

}  // namespace zelvorn
