#include "platform/qt/text_metrics.h"

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTextLayout>
#include <QTextOption>

namespace zelvorn {
namespace {

TShapedText ShapeText(std::string_view text, const QFont& font, Qt::LayoutDirection direction) {
  QTextLayout layout(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), font);
  QTextOption option;
  option.setWrapMode(QTextOption::NoWrap);
  option.setTextDirection(direction);
  // Blanks at the end count in the width, as they do in the text's advance.
  option.setFlags(QTextOption::IncludeTrailingSpaces);
  layout.setTextOption(option);
  layout.beginLayout();
  const QTextLine line = layout.createLine();
  layout.endLayout();
  TShapedText shaped;
  shaped.Width = qRound(line.horizontalAdvance());
  shaped.Glyphs = layout.glyphRuns();
  const QPointF to_baseline(0, -line.ascent());
  for (QGlyphRun& run : shaped.Glyphs) {
    QList<QPointF> positions = run.positions();
    for (QPointF& position : positions) position += to_baseline;
    run.setPositions(positions);
    // The layout gives a run its line's box; without one, the run answers with its glyphs' box.
    run.setBoundingRect(QRectF());
  }
  return shaped;
}

}  // namespace

TQtTextMetrics::TQtTextMetrics(const QFont& font, Qt::LayoutDirection direction)
    : font_(font), metrics_(font), direction_(direction) {}

const TShapedText& TQtTextMetrics::Shape(std::string_view text) const {
  auto found = shapes_.find(text);
  if (found == shapes_.end()) {
    found = shapes_.emplace(std::string(text), ShapeText(text, font_, direction_)).first;
  }
  return found->second;
}

}  // namespace zelvorn
