// What the grid's layout, hit test and cell store cost. Layout and hit test must cost in
// proportion to what is visible, not to the size of the grid; cell reads and writes must not
// grow with the number of cells stored.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "controls/grid/cell_grid.h"

namespace zelvorn {
namespace {

// A grid of the given counts as the main window shows it: no fixed cells, cells of 62 x 58,
// viewed from `top_row` in the stored client area of 564 x 530.
void LayoutAndHitTest(benchmark::State& state, std::int32_t cols, std::int32_t rows,
                      std::int32_t top_row) {
  TCellGrid grid;
  grid.SetFixedCols(0);
  grid.SetFixedRows(0);
  grid.SetColCount(cols);
  grid.SetRowCount(rows);
  grid.SetDefaultColWidth(62);
  grid.SetDefaultRowHeight(58);
  grid.SetTopRow(top_row);
  std::int32_t x = 0;
  for (auto _ : state) {
    const TGridLayout layout = grid.View().LayoutFor(564, 530);
    // Points across the client area, the last cell's edges included.
    x = (x + 37) % 564;
    const TCellCoord cell = CellAtPoint(layout, {x, 530 - 1 - x % 530});
    benchmark::DoNotOptimize(cell);
    benchmark::DoNotOptimize(layout.Horz.LastFullCell);
  }
}

void BM_LayoutAndHitTest_9x9(benchmark::State& state) { LayoutAndHitTest(state, 9, 9, 0); }
void BM_LayoutAndHitTest_1000x1000000_Top(benchmark::State& state) {
  LayoutAndHitTest(state, 1'000, 1'000'000, 0);
}
void BM_LayoutAndHitTest_1000x1000000_Middle(benchmark::State& state) {
  LayoutAndHitTest(state, 1'000, 1'000'000, 500'000);
}

// The largest useful top-left cell, which scrolling needs on every message.
void BM_LargestTopLeft_1000x1000000(benchmark::State& state) {
  TCellGrid grid;
  grid.SetColCount(1'000);
  grid.SetRowCount(1'000'000);
  for (auto _ : state) {
    benchmark::DoNotOptimize(LargestTopLeft(grid.View().LayoutFor(564, 530), {999, 999'999}));
  }
}

std::vector<std::pair<std::int32_t, std::int32_t>> RandomCells(std::size_t count) {
  std::mt19937 random(7);
  std::uniform_int_distribution<std::int32_t> col(0, 999);
  std::uniform_int_distribution<std::int32_t> row(0, 999'999);
  std::vector<std::pair<std::int32_t, std::int32_t>> cells(count);
  for (auto& cell : cells) cell = {col(random), row(random)};
  return cells;
}

// 100,000 writes of random cells of a 1,000 x 1,000,000 grid into an empty store.
void BM_CellWrites_100000(benchmark::State& state) {
  const auto cells = RandomCells(100'000);
  for (auto _ : state) {
    state.PauseTiming();
    auto grid = std::make_unique<TCellGrid>();
    grid->SetColCount(1'000);
    grid->SetRowCount(1'000'000);
    state.ResumeTiming();
    for (const auto& [col, row] : cells) grid->SetCells(col, row, "42");
    state.PauseTiming();
    grid.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(cells.size()));
}

// 100,000 reads of the same random cells once they are stored.
void BM_CellReads_100000(benchmark::State& state) {
  const auto cells = RandomCells(100'000);
  TCellGrid grid;
  grid.SetColCount(1'000);
  grid.SetRowCount(1'000'000);
  for (const auto& [col, row] : cells) grid.SetCells(col, row, std::to_string(col));
  std::size_t total = 0;
  for (auto _ : state) {
    for (const auto& [col, row] : cells) total += grid.Cells(col, row).size();
  }
  benchmark::DoNotOptimize(total);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(cells.size()));
}

BENCHMARK(BM_LayoutAndHitTest_9x9);
BENCHMARK(BM_LayoutAndHitTest_1000x1000000_Top);
BENCHMARK(BM_LayoutAndHitTest_1000x1000000_Middle);
BENCHMARK(BM_LargestTopLeft_1000x1000000);
BENCHMARK(BM_CellWrites_100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CellReads_100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelvorn
