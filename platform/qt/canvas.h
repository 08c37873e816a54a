#pragma once

#include <QFontMetrics>
#include <QPalette>
#include <QRegion>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/text_layout.h"

class QPainter;

namespace zelvorn {

struct TPreparedText;

// The canvas on a QPainter; coordinates are the painter's own. System colours resolve through
// the palette; text is antialiased and placed by our own layout (LayoutText), shaped once for its
// font, flags and rectangle size and drawn from what was kept on later paints.
//
// The painter must be active, and its transform, if any, a translation by whole pixels. The
// canvas leaves the painter's state as it found it when it is destroyed, which must happen before
// the painter ends.
class TQtCanvas final : public TCanvas {
 public:
  // A canvas for repainting `repaint_region` (in the painter's coordinates): drawing is clipped
  // to it and RectVisible answers against it. For a widget's paint event, pass the event's
  // region.
  TQtCanvas(QPainter& painter, const QRegion& repaint_region, const QPalette& palette);
  // A canvas over the painter's whole device, such as a widget's whole window for its frame.
  TQtCanvas(QPainter& painter, const QPalette& palette);
  ~TQtCanvas() override;

  void DrawText(std::string_view text, const TRect& rect, TDrawTextFlags flags) override;
  void DrawFocusRect(const TRect& rect) override;
  bool RectVisible(const TRect& rect) const override;

 private:
  void Fill(const TRect& rect, TColor color) override;
  TRect Bounds() const override { return bounds_; }
  QColor Resolve(TColor color) const;
  void ApplyFont();
  void DrawPrepared(const TPreparedText& prepared, const TRect& rect);

  QPainter& painter_;
  QRegion repaint_region_;
  // The repaint region's bounding rectangle: nothing outside it needs drawing.
  TRect bounds_;
  QPalette palette_;
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
