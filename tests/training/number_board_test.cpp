#include "training/number_board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace zelvorn {
namespace {

// The board as the grid shows it: one line per row, top to bottom, columns left to right.
std::string AsRows(const TNumberBoard& board) {
  std::ostringstream out;
  const std::size_t n = board.size();
  for (std::size_t row = 0; row < n; ++row) {
    for (std::size_t col = 0; col < n; ++col) {
      out << (col ? " " : "") << board[col][row];
    }
    out << "\n";
  }
  return out.str();
}

TEST(RandomBelowTest, StepsTheStateAndTakesTheHighWordOfTheProduct) {
  TRandomGenerator generator;
  std::vector<std::uint32_t> draws;
  std::vector<std::uint32_t> states;
  for (int k = 0; k < 6; ++k) {
    draws.push_back(generator.RandomBelow(5));
    states.push_back(generator.RandomSeed);
  }
  EXPECT_EQ(draws, (std::vector<std::uint32_t>{0, 0, 4, 1, 1, 3}));
  EXPECT_EQ(states[0], 1u);
  EXPECT_EQ(states[1], 134775814u);
}

TEST(RandomBelowTest, OneAlwaysGivesZeroAndStillAdvances) {
  TRandomGenerator generator;
  for (std::uint32_t expected_state : {1u, 134775814u}) {
    EXPECT_EQ(generator.RandomBelow(1), 0u);
    EXPECT_EQ(generator.RandomSeed, expected_state);
  }
}

TEST(BuildNumberBoardTest, ReproducesTheSequenceOfBoardsOfAProcess) {
  struct Step {
    std::int32_t n;
    const char* rows;
    std::uint32_t state_after;  // 0 when not checked
  };
  // Two sequences, each from a fresh process (generator at 0).
  const std::vector<std::vector<Step>> sequences = {
      {{5,
        "1 4 12 21 14\n"
        "8 22 11 9 2\n"
        "6 5 19 16 24\n"
        "18 3 23 15 17\n"
        "7 20 13 10 25\n",
        0xF456CCC6},
       {5,
        "25 8 3 15 13\n"
        "1 22 20 9 17\n"
        "16 21 19 12 5\n"
        "18 24 11 6 14\n"
        "10 23 4 2 7\n",
        0}},
      {{4,
        "1 4 13 2\n"
        "6 5 10 8\n"
        "16 3 15 14\n"
        "7 12 9 11\n",
        0}},
  };
  for (const auto& sequence : sequences) {
    TRandomGenerator generator;
    TNumberBoard board;
    for (const Step& step : sequence) {
      BuildNumberBoard(step.n, generator, board);
      EXPECT_EQ(AsRows(board), step.rows);
      if (step.state_after != 0) {
        EXPECT_EQ(generator.RandomSeed, step.state_after);
      }
    }
  }
}

TEST(BuildNumberBoardTest, FirstFiveByFiveTakes161AttemptsOfTwoDraws) {
  TRandomGenerator generator;
  TNumberBoard board;
  BuildNumberBoard(5, generator, board);
  TRandomGenerator counter;
  int draws = 0;
  while (counter.RandomSeed != generator.RandomSeed) {
    counter.RandomBelow(1);
    ++draws;
  }
  EXPECT_EQ(draws, 322);
}

TEST(BuildNumberBoardTest, SizeOneHoldsJustOne) {
  TRandomGenerator generator;
  TNumberBoard board;
  BuildNumberBoard(1, generator, board);
  EXPECT_EQ(board, (TNumberBoard{{1}}));
  EXPECT_EQ(generator.RandomSeed, 134775814u);  // one attempt, two draws
}

// Every size holds 1..N*N exactly once, also when the board shrinks or grows between runs.
TEST(BuildNumberBoardTest, ReusedBoardHoldsExactlyOneToNSquared) {
  TRandomGenerator generator;
  TNumberBoard board;
  for (std::int32_t n : {9, 5, 9, 4, 7, 1, 6, 8}) {
    BuildNumberBoard(n, generator, board);
    ASSERT_EQ(board.size(), static_cast<std::size_t>(n));
    std::vector<std::int32_t> values;
    for (const auto& column : board) {
      ASSERT_EQ(column.size(), static_cast<std::size_t>(n));
      values.insert(values.end(), column.begin(), column.end());
    }
    std::sort(values.begin(), values.end());
    for (std::int32_t k = 0; k < n * n; ++k) {
      ASSERT_EQ(values[static_cast<std::size_t>(k)], k + 1) << "size " << n;
    }
  }
}

TEST(BuildNumberBoardTest, SizeBelowOneGivesAnEmptyBoardAndDrawsNothing) {
  for (std::int32_t n : {0, -3}) {
    TRandomGenerator generator;
    TNumberBoard board{{5, 6}, {7, 8}};
    BuildNumberBoard(n, generator, board);
    EXPECT_TRUE(board.empty());
    EXPECT_EQ(generator.RandomSeed, 0u);
  }
}

}  // namespace
}  // namespace zelvorn
