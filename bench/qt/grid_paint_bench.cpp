// What painting the 9 x 9 board costs, next to Qt's own table painting the same 81 numbers at
// the same size and in the same font: the whole window (568 x 534, frame included) and the
// repaint after a click, which covers only the cell that lost the selection and the one that
// gained it. The two widgets are painted into images, so the figures leave out the screen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QTableWidget>
#include <QTest>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "controls/grid/grid_painter.h"
#include "controls/grid/qt/cell_grid_widget.h"
#include "platform/qt/canvas.h"
#include "platform/qt/font.h"
#include "platform/qt/geometry.h"

namespace zelvorn {
namespace {

constexpr int kSize = 9;
constexpr int kCellWidth = 62;
constexpr int kCellHeight = 58;
constexpr QSize kWindow(568, 534);

// The numbers as a run lays them out: each cell shows a different one of 1 to 81.
std::string Number(int col, int row) { return std::to_string((col * kSize + row) * 37 % 81 + 1); }

TFont BoardFont() {
  TFont font;
  font.Bold = true;
  font.SetSize(30);
  return font;
}

// Alternates a click between two cells, so that every click moves the selection.
TCellCoord ClickTarget(std::int64_t click) {
  return click % 2 == 0 ? TCellCoord{4, 6} : TCellCoord{2, 3};
}

// The two cells a click repaints, in viewport coordinates.
QRegion ClickRegion(TCellCoord from, TCellCoord to) {
  const auto box = [](TCellCoord cell) {
    return QRect(cell.X * kCellWidth, cell.Y * kCellHeight, kCellWidth, kCellHeight);
  };
  return QRegion(box(from)) + QRegion(box(to));
}

// Shows a widget as a window of its own with the keyboard focus, as it is while clicked.
void ShowFocused(QWidget& widget) {
  widget.show();
  widget.activateWindow();
  if (!QTest::qWaitForWindowActive(&widget)) std::fprintf(stderr, "A window did not activate.\n");
  widget.setFocus();
  QApplication::processEvents();
}

// Our grid, shown and focused, as the main window has it after a 9 x 9 start.
class OurBoard {
 public:
  OurBoard() {
    TCellGrid& grid = widget_.Grid();
    grid.SetFixedCols(0);
    grid.SetFixedRows(0);
    grid.SetColCount(kSize);
    grid.SetRowCount(kSize);
    grid.SetFont(BoardFont());
    grid.SetDefaultColWidth(kCellWidth);
    grid.SetDefaultRowHeight(kCellHeight);
    for (int col = 0; col < kSize; ++col) {
      for (int row = 0; row < kSize; ++row) grid.SetCells(col, row, Number(col, row));
    }
    grid.Events.OnGetAlignment = [](const TCellGrid&, std::int32_t, std::int32_t, TAlignment& h,
                                    TVAlignment& v) {
      h = TAlignment::taCenter;
      v = TVAlignment::vtaCenter;
    };
    widget_.resize(kWindow);
    ShowFocused(widget_);
  }

  TCellGridWidget& Widget() { return widget_; }
  TCellGrid& Grid() { return widget_.Grid(); }

 private:
  TCellGridWidget widget_;
};

// Qt's table with the same cells: no headers, the same frame, cells of the same size, each
// number centred at the top as ours are.
class QtBoard {
 public:
  QtBoard() : table_(kSize, kSize) {
    table_.setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    table_.horizontalHeader()->hide();
    table_.verticalHeader()->hide();
    table_.horizontalHeader()->setMinimumSectionSize(1);
    table_.verticalHeader()->setMinimumSectionSize(1);
    table_.horizontalHeader()->setDefaultSectionSize(kCellWidth);
    table_.verticalHeader()->setDefaultSectionSize(kCellHeight);
    table_.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_.setSelectionMode(QAbstractItemView::ContiguousSelection);
    table_.setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_.setFont(ToQFont(BoardFont()));
    for (int col = 0; col < kSize; ++col) {
      for (int row = 0; row < kSize; ++row) {
        auto* item = new QTableWidgetItem(QString::fromStdString(Number(col, row)));
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
        table_.setItem(row, col, item);
      }
    }
    table_.setCurrentCell(0, 0);
    table_.resize(kWindow);
    ShowFocused(table_);
  }

  QTableWidget& Table() { return table_; }

 private:
  QTableWidget table_;
};

QImage WindowImage() {
  QImage image(kWindow, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

void BM_FullRepaint_Ours(benchmark::State& state) {
  OurBoard board;
  QImage image = WindowImage();
  for (auto _ : state) {
    board.Widget().render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
}

void BM_FullRepaint_QTableWidget(benchmark::State& state) {
  QtBoard board;
  QImage image = WindowImage();
  for (auto _ : state) {
    board.Table().render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
}

// The grid's painter alone, on an image of the client area: what the widget adds on top of it
// is Qt's own paint-event delivery.
void BM_FullRepaint_OurPainterOnly(benchmark::State& state) {
  OurBoard board;
  QImage image(564, 530, QImage::Format_RGB32);
  const QRegion client(0, 0, 564, 530);
  for (auto _ : state) {
    QPainter painter(&image);
    TQtCanvas canvas(painter, client, board.Widget().palette());
    TGridPainter(board.Grid()).PaintClientArea(canvas);
  }
}

void BM_ClickRepaint_Ours(benchmark::State& state) {
  OurBoard board;
  QImage image = WindowImage();
  std::int64_t click = 0;
  for (auto _ : state) {
    const TCellCoord from = board.Grid().Model().Current;
    const TCellCoord to = ClickTarget(click++);
    board.Grid().MoveCurrent(to.X, to.Y, TMoveAnchor::kYes, TShowCell::kYes);
    board.Widget().viewport()->render(&image, QPoint(), ClickRegion(from, to));
    benchmark::DoNotOptimize(image.constBits());
  }
  QApplication::processEvents();  // the marks the moves made, painted outside the timing
}

void BM_ClickRepaint_QTableWidget(benchmark::State& state) {
  QtBoard board;
  QImage image = WindowImage();
  std::int64_t click = 0;
  for (auto _ : state) {
    const TCellCoord from{board.Table().currentColumn(), board.Table().currentRow()};
    const TCellCoord to = ClickTarget(click++);
    board.Table().setCurrentCell(to.Y, to.X);
    board.Table().viewport()->render(&image, QPoint(), ClickRegion(from, to));
    benchmark::DoNotOptimize(image.constBits());
  }
  QApplication::processEvents();
}

BENCHMARK(BM_FullRepaint_Ours)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullRepaint_QTableWidget)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullRepaint_OurPainterOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ClickRepaint_Ours)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ClickRepaint_QTableWidget)->Unit(benchmark::kMicrosecond);

// Prints the usual table, then how many times as long Qt's table takes as ours for each pair of
// figures, in wall-clock and in CPU time. With repetitions the means are compared.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const bool single = run.run_type == Run::RT_Iteration && run.iterations > 0;
      const bool mean = run.run_type == Run::RT_Aggregate && run.aggregate_name == "mean";
      if (single || mean) {
        times_[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
      }
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const char* what : {"FullRepaint", "ClickRepaint"}) {
      const auto ours = times_.find(std::string("BM_") + what + "_Ours");
      const auto qt = times_.find(std::string("BM_") + what + "_QTableWidget");
      if (ours == times_.end() || qt == times_.end()) continue;
      std::printf("%s: QTableWidget takes %.2f times as long as ours (CPU time: %.2f times)\n",
                  what, qt->second.first / ours->second.first,
                  qt->second.second / ours->second.second);
    }
  }

 private:
  std::map<std::string, std::pair<double, double>> times_;  // real and CPU time
};

}  // namespace
}  // namespace zelvorn

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  zelvorn::InstallFontSubstitutions();
  benchmark::Initialize(&argc, argv);
  zelvorn::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
