// The time from a left press on a cell of the 9 x 9 board to the end of the repaint it causes:
// the press's handling (hit test, cancel-mode, capture, the move of the current cell, the events
// and a click handler that reads the cell's number), the marking of what changed, and painting
// the marked cells through Qt's backing store on the offscreen platform. The release that
// follows each press is not timed.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "controls/grid/qt/cell_grid_widget.h"
#include "platform/format.h"
#include "platform/qt/font.h"

namespace zelvorn {
namespace {

constexpr std::int32_t kSize = 9;
constexpr std::int32_t kCellWidth = 62;
constexpr std::int32_t kCellHeight = 58;

// The grid as the main window has it after a 9 x 9 start, shown with the keyboard focus.
class TBoard {
 public:
  TBoard() {
    TCellGrid& grid = widget_.Grid();
    grid.SetFixedCols(0);
    grid.SetFixedRows(0);
    grid.SetRowCount(kSize);
    grid.SetColCount(kSize);
    TFont font = grid.Font();
    font.Name = "Tahoma";
    font.Bold = true;
    font.SetSize(48 - 2 * kSize);
    grid.SetFont(font);
    grid.SetDefaultColWidth(kCellWidth);
    grid.SetDefaultRowHeight(kCellHeight);
    for (std::int32_t col = 0; col < kSize; ++col) {
      for (std::int32_t row = 0; row < kSize; ++row) {
        grid.SetCells(col, row, std::to_string((col * kSize + row) * 37 % 81 + 1));
      }
    }
    grid.Events.OnGetAlignment = [](const TCellGrid&, std::int32_t, std::int32_t, TAlignment& h,
                                    TVAlignment& v) {
      h = TAlignment::taCenter;
      v = TVAlignment::vtaCenter;
    };
    grid.Events.OnClickCell = [this](TCellGrid& sender, std::int32_t row, std::int32_t col) {
      judged_ += StrToInt(sender.Cells(col, row));
    };
    widget_.resize(568, 534);
    widget_.show();
    widget_.activateWindow();
    if (!QTest::qWaitForWindowActive(&widget_)) std::fprintf(stderr, "The grid is not active.\n");
    widget_.setFocus();
    QApplication::processEvents();
  }

  void Press(TCellCoord cell) { Send(QEvent::MouseButtonPress, cell, Qt::LeftButton); }
  void Release(TCellCoord cell) { Send(QEvent::MouseButtonRelease, cell, Qt::NoButton); }
  // Paints what the press marked, at once.
  void Repaint() { widget_.FlushPaints(); }
  std::int64_t Judged() const { return judged_; }

 private:
  void Send(QEvent::Type type, TCellCoord cell, Qt::MouseButtons buttons) {
    QWidget* viewport = widget_.viewport();
    const QPointF local(cell.X * kCellWidth + 20, cell.Y * kCellHeight + 20);
    QMouseEvent event(type, local, viewport->mapToGlobal(local), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
  }

  TCellGridWidget widget_;
  std::int64_t judged_ = 0;
};

void BM_PressToRepaint_9x9(benchmark::State& state) {
  TBoard board;
  std::int64_t presses = 0;
  for (auto _ : state) {
    // Two cells in turn, so that every press moves the selection.
    const TCellCoord cell = presses++ % 2 == 0 ? TCellCoord{4, 6} : TCellCoord{2, 3};
    const auto start = std::chrono::steady_clock::now();
    board.Press(cell);
    board.Repaint();
    const auto end = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    board.Release(cell);
    QApplication::processEvents();
  }
  benchmark::DoNotOptimize(board.Judged());
}

BENCHMARK(BM_PressToRepaint_9x9)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The offscreen platform cannot grab the mouse and says so at every press.
QtMessageHandler default_handler = nullptr;
void QuietAboutGrabbing(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.contains(QStringLiteral("grabbing the mouse"))) return;
  default_handler(type, context, text);
}

}  // namespace
}  // namespace zelvorn

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  zelvorn::InstallFontSubstitutions();
  zelvorn::default_handler = qInstallMessageHandler(zelvorn::QuietAboutGrabbing);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
