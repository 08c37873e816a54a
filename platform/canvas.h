#pragma once

#include <cstdint>
#include <string_view>

#include "platform/color.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/text_layout.h"

namespace zelvorn {

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

// What the painters draw on. Each host implements the few primitives below (Fill, DrawText,
// DrawFocusRect, RectVisible, Bounds) on its own drawing surface (Qt's QPainter, Windows' device
// contexts) with the same pixel rules; fills, outlines and lines are built on Fill here, once, so
// a painter written against the canvas paints the same pixels everywhere. Every rectangle is a
// TRect: Right and Bottom are exclusive, so a rectangle covers exactly Width() x Height() pixels.
// Fills and lines are never antialiased. System colours resolve through the platform when something
// is drawn. Nothing here reports a failure: a colour of clNone, an empty rectangle or an empty text
// draws nothing.
//
// Pen, brush and font are the canvas's own state; setting them costs nothing until something is
// drawn.
class TCanvas {
 public:
  virtual ~TCanvas() = default;
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
  void MoveTo(std::int32_t x, std::int32_t y) { pen_pos_ = {x, y}; }

  // Draws a line from the pen position to (x, y), covering the start point and stopping one pixel
  // before the end point, and moves the pen position there. A slanted line has one pixel per step
  // along its longer axis, at the exact position across rounded half away from the start. A pen
  // W pixels wide covers, across the line, the pixels from the line's own minus W / 2 to that
  // plus W - 1 - W / 2; its ends are square, without caps.
  void LineTo(std::int32_t x, std::int32_t y) {
    const TPoint from = pen_pos_;
    pen_pos_ = {x, y};
    DrawLine(from, pen_pos_);
  }

  // Paints every pixel of [Left, Right) x [Top, Bottom) with the brush.
  void FillRect(const TRect& rect) {
    if (brush_.Color != clNone) Fill(rect, brush_.Color);
  }
  // Outlines the rectangle with the pen, inside it (a band of the pen's width along each edge),
  // and fills the rest with the brush: together they cover exactly the rectangle. With psClear
  // the brush fills all of it.
  void Rectangle(const TRect& rect);

  // Draws the text (UTF-8) laid out as LayoutText lays it out, clipped to `rect`, in the font and
  // its colour on a transparent background.
  virtual void DrawText(std::string_view text, const TRect& rect, TDrawTextFlags flags) = 0;
  // Inverts the pixels (x, y) with x + y even along the inside edges of the rectangle: a dotted
  // frame that a second call with the same rectangle removes, restoring every pixel. On a device
  // that cannot invert pixels it draws nothing, because it could not be removed again.
  virtual void DrawFocusRect(const TRect& rect) = 0;
  // Whether any pixel of the rectangle lies in the region being repainted.
  virtual bool RectVisible(const TRect& rect) const = 0;

 protected:
  TCanvas() = default;

  // The primitive every fill, outline and line is made of: paints the part of `rect` inside the
  // repaint region in `color`, never clNone; the host resolves a system colour.
  virtual void Fill(const TRect& rect, TColor color) = 0;
  // The repaint region's bounding rectangle: nothing outside it needs drawing.
  virtual TRect Bounds() const = 0;

 private:
  // The line of LineTo, with the pen as it is.
  void DrawLine(TPoint from, TPoint to);
  bool PenDraws() const { return pen_.Style == TPenStyle::psSolid && pen_.Color != clNone; }

  TPen pen_;
  TBrush brush_;
  TFont font_;
  TPoint pen_pos_;
};

}  // namespace zelvorn
