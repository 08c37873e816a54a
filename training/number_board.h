#pragma once

#include <cstdint>
#include <vector>

namespace zelvorn {

// The numbers of one run, indexed column first: board[c][r] goes to the grid cell in column c
// and row r.
using TNumberBoard = std::vector<std::vector<std::int32_t>>;

// The one pseudo-random generator of the process. It starts at 0 and is never restarted, so every
// process produces the same sequence of boards.
struct TRandomGenerator {
  std::uint32_t RandomSeed = 0;

  // Advances the state by one step and returns a value from 0 to n - 1 (n >= 1).
  std::uint32_t RandomBelow(std::uint32_t n);
};

// Fills board in place with 1..N*N in shuffled positions (N >= 1): resizes it to N x N, clears
// it and places each number at a random free slot. Advances the generator by two steps per
// placement attempt.
void BuildNumberBoard(std::int32_t N, TRandomGenerator& generator, TNumberBoard& board);

}  // namespace zelvorn
