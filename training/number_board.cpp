#include "training/number_board.h"

#include <cstddef>

namespace zelvorn {

std::uint32_t TRandomGenerator::RandomBelow(std::uint32_t n) {
  RandomSeed = RandomSeed * 134775813u + 1u;  // wraps modulo 2^32
  return static_cast<std::uint32_t>((std::uint64_t{RandomSeed} * n) >> 32);
}

void BuildNumberBoard(std::int32_t N, TRandomGenerator& generator, TNumberBoard& board) {
  const std::int32_t count = N > 0 ? N : 0;  // a size below 1 gives an empty board
  const auto size = static_cast<std::size_t>(count);
  board.resize(size);
  for (auto& column : board) {
    column.resize(size);
  }
  // Resizing keeps what an earlier run left, so every slot is cleared before placing.
  for (auto& column : board) {
    for (auto& slot : column) slot = 0;
  }
  const auto n = static_cast<std::uint32_t>(count);
  for (std::int32_t d = 1; d <= count * count; ++d) {
    std::uint32_t i = 0;
    std::uint32_t j = 0;
    // A taken slot is retried with a fresh pair, column drawn first: the draw order fixes the
    // sequence of boards, so it must not change.
    do {
      i = generator.RandomBelow(n);
      j = generator.RandomBelow(n);
    } while (board[i][j] > 0);
    board[i][j] = d;
  }
}

}  // namespace zelvorn
