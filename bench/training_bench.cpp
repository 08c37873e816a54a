// How long building a board takes, by size. The later numbers need more attempts as the free
// slots run out, so the largest board is the one to watch.
#include <benchmark/benchmark.h>

#include "training/number_board.h"

namespace zelvorn {
namespace {

void BM_BuildNumberBoard(benchmark::State& state) {
  TRandomGenerator generator;
  TNumberBoard board;
  for (auto _ : state) {
    BuildNumberBoard(static_cast<std::int32_t>(state.range(0)), generator, board);
    benchmark::DoNotOptimize(board.data());
  }
}
BENCHMARK(BM_BuildNumberBoard)->DenseRange(4, 9);

}  // namespace
}  // namespace zelvorn
