// Draws Zelvorn's icon: a small number table on a blue tile, the cell of the number to find next
// marked in amber. Drawn on a 128-unit square scaled to the size asked for, 32 bits per pixel;
// below 32 pixels the numbers would be a blur, so the small sizes show the table without them.
//
// Usage: zelvorn_make_icon <size in pixels> <output.png>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kSize = 128;
constexpr int kSmallestWithNumbers = 32;
constexpr int kCells = 4;
// Shuffled 1 to 16. The amber cell holds the 6 the player looks for next; the numbers before it
// are dimmed as found.
constexpr int kNumbers[kCells][kCells] = {
    {12, 3, 9, 15}, {1, 14, 6, 10}, {8, 5, 16, 2}, {13, 11, 4, 7}};
constexpr int kNext = 6;

void DrawTile(QPainter& painter) {
  QLinearGradient gradient(0, 0, 0, kSize);
  gradient.setColorAt(0, QColor(0x3A, 0x7B, 0xD5));
  gradient.setColorAt(1, QColor(0x1E, 0x3C, 0x72));
  QPainterPath tile;
  tile.addRoundedRect(QRectF(2, 2, kSize - 4, kSize - 4), 22, 22);
  painter.fillPath(tile, gradient);
}

QRectF CardRect() { return QRectF(12, 12, kSize - 24, kSize - 24); }

void DrawCard(QPainter& painter) {
  QPainterPath card;
  card.addRoundedRect(CardRect(), 8, 8);
  painter.fillPath(card.translated(0, 2), QColor(0, 0, 0, 60));  // a soft drop shadow
  painter.fillPath(card, QColor(0xFA, 0xFB, 0xFD));
}

QRectF CellRect(int col, int row) {
  const QRectF card = CardRect();
  const double cell = card.width() / kCells;
  return QRectF(card.left() + col * cell, card.top() + row * cell, cell, cell);
}

void DrawNextCell(QPainter& painter) {
  for (int row = 0; row < kCells; ++row) {
    for (int col = 0; col < kCells; ++col) {
      if (kNumbers[row][col] != kNext) continue;
      QPainterPath mark;
      mark.addRoundedRect(CellRect(col, row).adjusted(2, 2, -2, -2), 5, 5);
      painter.fillPath(mark, QColor(0xFF, 0xB3, 0x00));
    }
  }
}

void DrawGridLines(QPainter& painter) {
  painter.setPen(QPen(QColor(0xC5, 0xCF, 0xDD), 1.2));
  const QRectF card = CardRect();
  for (int i = 1; i < kCells; ++i) {
    const double offset = card.width() * i / kCells;
    painter.drawLine(QPointF(card.left() + offset, card.top() + 4),
                     QPointF(card.left() + offset, card.bottom() - 4));
    painter.drawLine(QPointF(card.left() + 4, card.top() + offset),
                     QPointF(card.right() - 4, card.top() + offset));
  }
}

void DrawNumbers(QPainter& painter) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(14);
  font.setBold(true);
  painter.setFont(font);
  for (int row = 0; row < kCells; ++row) {
    for (int col = 0; col < kCells; ++col) {
      const int number = kNumbers[row][col];
      const QColor ink = number < kNext    ? QColor(0xA9, 0xB6, 0xC8)
                         : number == kNext ? QColor(0x1E, 0x2A, 0x3A)
                                           : QColor(0x24, 0x3B, 0x5E);
      painter.setPen(ink);
      painter.drawText(CellRect(col, row), Qt::AlignCenter, QString::number(number));
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const int size = argc == 3 ? std::atoi(argv[1]) : 0;
  if (size < 1 || size > 1024) {
    std::fprintf(stderr, "usage: %s <size in pixels, 1 to 1024> <output.png>\n", argv[0]);
    return 2;
  }
  QImage icon(size, size, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.scale(double(size) / kSize, double(size) / kSize);
  DrawTile(painter);
  DrawCard(painter);
  DrawGridLines(painter);
  DrawNextCell(painter);
  if (size >= kSmallestWithNumbers) DrawNumbers(painter);
  painter.end();
  if (!icon.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
