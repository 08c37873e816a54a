#include "platform/qt/canvas.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QPointer>
#include <QThread>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/qt/color.h"
#include "platform/qt/font.h"
#include "platform/qt/geometry.h"
#include "platform/qt/text_metrics.h"

namespace zelvorn {
namespace {

QRegion WholeDevice(const QPainter& painter) {
  const QPaintDevice* device = painter.device();
  const QRect device_rect(0, 0, device->width(), device->height());
  return QRegion(painter.transform().inverted().mapRect(device_rect));
}

// The one-pixel edges of a focus rectangle, each pixel in one of them only, so that inverting
// them twice is the identity even for a rectangle one pixel wide or high.
std::vector<QRect> FocusEdges(const TRect& rect) {
  std::vector<QRect> edges{{rect.Left, rect.Top, rect.Width(), 1}};
  if (rect.Height() > 1) edges.emplace_back(rect.Left, rect.Bottom - 1, rect.Width(), 1);
  if (rect.Height() > 2) {
    edges.emplace_back(rect.Left, rect.Top + 1, 1, rect.Height() - 2);
    if (rect.Width() > 1) edges.emplace_back(rect.Right - 1, rect.Top + 1, 1, rect.Height() - 2);
  }
  return edges;
}

}  // namespace

// A text laid out in a rectangle at the origin, with the glyphs of each run in layout order and
// the box that holds all their ink.
struct TPreparedText {
  TTextLayout Layout;
  std::vector<QList<QGlyphRun>> RunGlyphs;
  TRect Ink;
};

namespace {

// What tells one kept text from another: everything its layout and shape depend on. The font's
// colour is not part of it; the rectangle's size is, its position is not.
struct TPreparedTextKey {
  std::string Text;
  std::string FontName;
  std::int32_t FontHeight = 0;
  bool Bold = false;
  std::int32_t Dpi = 0;
  Qt::LayoutDirection Direction = Qt::LeftToRight;
  TDrawTextFlags Flags = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  auto operator<=>(const TPreparedTextKey&) const = default;
};

// Enough for every number of the largest board in a few fonts; past it the texts are dropped
// and prepared again as they come.
constexpr std::size_t kMaxKeptTexts = 512;

using TKeptTexts = std::map<TPreparedTextKey, TPreparedText>;

// The texts kept from one paint to the next, or nullptr off the application's thread, which
// prepares its texts afresh each time. Their glyphs hold on to the fonts, so they go before the
// application does, and when its fonts change.
TKeptTexts* KeptTexts() {
  static TKeptTexts kept;
  static QPointer<QCoreApplication> registered_with;
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr || QThread::currentThread() != app->thread()) return nullptr;
  if (registered_with != app) {
    registered_with = app;
    kept.clear();
    qAddPostRoutine([] { kept.clear(); });
    if (auto* gui = qobject_cast<QGuiApplication*>(app)) {
      QObject::connect(gui, &QGuiApplication::fontDatabaseChanged, [] { kept.clear(); });
    }
  }
  return &kept;
}

// Smoothing and hinting may put ink a little outside a glyph's outline box.
constexpr std::int32_t kInkMargin = 2;

TRect InkBox(const QGlyphRun& glyphs, QPointF baseline) {
  const QRect box = glyphs.boundingRect().translated(baseline).toAlignedRect();
  return {box.left() - kInkMargin, box.top() - kInkMargin, box.right() + 1 + kInkMargin,
          box.bottom() + 1 + kInkMargin};
}

TRect United(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}

bool Encloses(const TRect& outer, const TRect& inner) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}

QPointF Baseline(const TTextLine& line, const TTextRun& run, std::int32_t ascent) {
  return QPointF(run.Left, line.Top + ascent);
}

TPreparedText Prepare(std::string_view text, const TRect& rect, TDrawTextFlags flags,
                      const QPainter& painter, std::int32_t ascent) {
  const TQtTextMetrics metrics(painter.font(), painter.layoutDirection());
  TPreparedText prepared;
  prepared.Layout = LayoutText(text, {0, 0, rect.Width(), rect.Height()}, flags, metrics);
  for (const TTextLine& line : prepared.Layout.Lines) {
    for (const TTextRun& run : line.Runs) {
      prepared.RunGlyphs.push_back(metrics.Shape(run.Text).Glyphs);
      for (const QGlyphRun& glyphs : prepared.RunGlyphs.back()) {
        prepared.Ink = United(prepared.Ink, InkBox(glyphs, Baseline(line, run, ascent)));
      }
    }
  }
  return prepared;
}

}  // namespace

TQtCanvas::TQtCanvas(QPainter& painter, const QRegion& repaint_region, const QPalette& palette)
    : painter_(painter),
      repaint_region_(repaint_region),
      bounds_(FromQRect(repaint_region.boundingRect())),
      palette_(palette) {
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

TQtCanvas::TQtCanvas(QPainter& painter, const QPalette& palette)
    : TQtCanvas(painter, WholeDevice(painter), palette) {}

TQtCanvas::~TQtCanvas() { painter_.restore(); }

QColor TQtCanvas::Resolve(TColor color) const { return ToQColor(color, palette_); }

// QPainter::fillRect with a whole-pixel QRect covers exactly its width x height pixels, unlike
// drawRect, whose outline lies one pixel outside the rectangle's right and bottom.
void TQtCanvas::Fill(const TRect& rect, TColor color) {
  const TRect visible = rect.Intersected(bounds_);
  if (!visible.IsEmpty()) painter_.fillRect(ToQRect(visible), Resolve(color));
}

void TQtCanvas::ApplyFont() {
  if (applied_font_ != Font()) {
    applied_font_ = Font();
    painter_.setFont(ToQFont(Font()));
    qt_metrics_.emplace(painter_.fontMetrics());
    font_ascent_ = qt_metrics_->ascent();
    font_dpi_ = painter_.device()->logicalDpiY();
  }
}

void TQtCanvas::DrawText(std::string_view text, const TRect& rect, TDrawTextFlags flags) {
  if (text.empty() || Font().Color == clNone) return;
  ApplyFont();
  TKeptTexts* kept = KeptTexts();
  if (kept == nullptr) {
    DrawPrepared(Prepare(text, rect, flags, painter_, font_ascent_), rect);
    return;
  }
  TPreparedTextKey key{
      std::string(text),          Font().Name, Font().Height, Font().Bold,  font_dpi_,
      painter_.layoutDirection(), flags,       rect.Width(),  rect.Height()};
  auto found = kept->find(key);
  if (found == kept->end()) {
    if (kept->size() >= kMaxKeptTexts) kept->clear();
    found = kept->emplace(std::move(key), Prepare(text, rect, flags, painter_, font_ascent_)).first;
  }
  DrawPrepared(found->second, rect);
}

void TQtCanvas::DrawPrepared(const TPreparedText& prepared, const TRect& rect) {
  if (prepared.Layout.Lines.empty()) return;
  const QColor color = Resolve(Font().Color);
  if (text_pen_ != color) {
    painter_.setPen(color);
    text_pen_ = color;
  }
  // Cutting the text to its rectangle costs more than drawing it, and most texts lie inside.
  const TRect ink{rect.Left + prepared.Ink.Left, rect.Top + prepared.Ink.Top,
                  rect.Left + prepared.Ink.Right, rect.Top + prepared.Ink.Bottom};
  const bool clip = !Encloses(rect, ink);
  if (clip) {
    painter_.save();
    painter_.setClipRect(ToQRect(rect), Qt::IntersectClip);
  }
  const QPointF origin(rect.Left, rect.Top);
  auto glyphs = prepared.RunGlyphs.begin();
  for (const TTextLine& line : prepared.Layout.Lines) {
    for (const TTextRun& run : line.Runs) {
      const QPointF baseline = origin + Baseline(line, run, font_ascent_);
      for (const QGlyphRun& glyph_run : *glyphs++) painter_.drawGlyphRun(baseline, glyph_run);
    }
  }
  if (clip) painter_.restore();
}

void TQtCanvas::DrawFocusRect(const TRect& rect) {
  if (rect.IsEmpty() || !painter_.paintEngine()->hasFeature(QPaintEngine::RasterOpModes)) return;
  painter_.save();
  // White XOR a pixel is its inverse, and a second XOR gives the pixel back. Qt's half-tone
  // pattern sets the pixels with x + y odd and leaves the others transparent, which XOR leaves
  // alone; moved by one pixel it sets those with x + y even. A few pattern fills cost far less
  // than a rectangle per dot.
  painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter_.setPen(Qt::NoPen);
  painter_.setBackgroundMode(Qt::TransparentMode);
  painter_.setBrushOrigin(1, 0);
  painter_.setBrush(QBrush(Qt::white, Qt::Dense4Pattern));
  const std::vector<QRect> edges = FocusEdges(rect);
  painter_.drawRects(edges.data(), static_cast<int>(edges.size()));
  painter_.restore();
}

bool TQtCanvas::RectVisible(const TRect& rect) const {
  return !rect.IsEmpty() && repaint_region_.intersects(ToQRect(rect));
}

}  // namespace zelvorn
