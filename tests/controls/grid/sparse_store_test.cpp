#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "controls/grid/cell_store.h"
#include "controls/grid/size_list.h"
#include "controls/grid/sparse_array.h"
#include "platform/exceptions.h"

namespace zelvorn {
namespace {

using IntArray = TSparsePointerArray<int>;

std::unique_ptr<int> Item(int value) { return std::make_unique<int>(value); }

// Runs `action` and returns the message of the EListError it raises ("" if it raises none).
template <typename Action>
std::string ListErrorOf(Action action) {
  try {
    action();
  } catch (const EListError& error) {
    return error.Message();
  }
  return "";
}

TEST(SparsePointerArrayTest, SectionLayoutFollowsTheQuantum) {
  struct Case {
    TSparseQuantum quantum;
    std::int32_t index;
    std::int32_t directory_size;  // after writing at index
  };
  const std::vector<Case> cases = {
      {TSparseQuantum::sqSmall, 0, 1},
      {TSparseQuantum::sqSmall, 15, 1},
      {TSparseQuantum::sqSmall, 16, 2},
      {TSparseQuantum::sqSmall, 1'048'559, 65'535},
      {TSparseQuantum::sqLarge, 255, 1},
      {TSparseQuantum::sqLarge, 256, 2},
      {TSparseQuantum::sqLarge, 16'776'959, 65'535},
  };
  for (const Case& c : cases) {
    IntArray array(c.quantum);
    array.Write(c.index, Item(7));
    EXPECT_EQ(array.DirectorySize(), c.directory_size) << c.index;
    EXPECT_EQ(*array.Read(c.index), 7) << c.index;
    EXPECT_EQ(array.Read(c.index + 1), nullptr) << c.index;
    EXPECT_EQ(array.HighBound(), c.index);
    EXPECT_EQ(array.CheckConsistency(), "");
  }
}

TEST(SparsePointerArrayTest, RefusesIndicesNoSectionCanHold) {
  IntArray small(TSparseQuantum::sqSmall);
  IntArray large(TSparseQuantum::sqLarge);
  EXPECT_EQ(small.HighestUsableIndex(), 1'048'559);
  EXPECT_EQ(large.HighestUsableIndex(), 16'776'959);
  EXPECT_EQ(ListErrorOf([&] { small.Write(1'048'560, Item(1)); }), "列表索引越界 (1048560)");
  EXPECT_EQ(ListErrorOf([&] { large.Write(16'776'960, Item(1)); }), "列表索引越界 (16776960)");
  EXPECT_EQ(ListErrorOf([&] { small.Write(-1, Item(1)); }), "列表索引越界 (-1)");
  // Nothing can be stored there, so reading there finds nothing and costs nothing.
  EXPECT_EQ(small.Read(2'000'000'000), nullptr);
  EXPECT_EQ(small.Read(-5), nullptr);
  EXPECT_EQ(small.DirectorySize(), 0);
}

TEST(SparsePointerArrayTest, ReadCacheHoldsTheLastReadAndWritesClearIt) {
  IntArray array(TSparseQuantum::sqSmall);
  array.Write(5, Item(50));
  EXPECT_EQ(array.CachedIndex(), -1);
  EXPECT_EQ(*array.Read(5), 50);
  EXPECT_EQ(array.CachedIndex(), 5);
  EXPECT_EQ(array.Read(7), nullptr);
  EXPECT_EQ(array.CachedIndex(), 7);
  // A write into the slot the cache remembers as empty must not leave a stale answer.
  array.Write(7, Item(70));
  EXPECT_EQ(array.CachedIndex(), -1);
  EXPECT_EQ(*array.Read(7), 70);
  array.Write(7, Item(71));
  EXPECT_EQ(*array.Read(7), 71);
  array.Write(7, nullptr);
  EXPECT_EQ(array.Read(7), nullptr);
  EXPECT_EQ(array.CheckConsistency(), "");
}

TEST(SparsePointerArrayTest, HighBoundFollowsTheHighestItemAndSectionsStay) {
  struct Step {
    std::int32_t index;
    bool store;
    std::int32_t high_bound;
  };
  const std::vector<Step> steps = {
      {3, true, 3},   {40, true, 40},   {20, true, 40},  {40, false, 20},
      {3, false, 20}, {500, false, 20}, {20, false, -1}, {17, true, 17},
  };
  IntArray array(TSparseQuantum::sqSmall);
  for (const Step& step : steps) {
    array.Write(step.index, step.store ? Item(step.index) : nullptr);
    EXPECT_EQ(array.HighBound(), step.high_bound) << step.index;
    EXPECT_EQ(array.CheckConsistency(), "") << step.index;
  }
  // Emptying a slot never frees its section, and emptying an empty slot makes none.
  EXPECT_EQ(array.DirectorySize(), 3);
}

TEST(SparsePointerArrayTest, VisitAllGoesInIndexOrderAndStopsAtTheFirstNonZeroAnswer) {
  IntArray array(TSparseQuantum::sqSmall);
  for (std::int32_t index : {300, 2, 17, 16}) array.Write(index, Item(index * 10));
  std::vector<std::pair<std::int32_t, int>> seen;
  EXPECT_EQ(array.VisitAll([&seen](std::int32_t index, int& item) {
    seen.emplace_back(index, item);
    return 0;
  }),
            0);
  EXPECT_EQ(seen, (std::vector<std::pair<std::int32_t, int>>{
                      {2, 20}, {16, 160}, {17, 170}, {300, 3000}}));
  std::vector<std::int32_t> until_stop;
  EXPECT_EQ(array.VisitAll([&until_stop](std::int32_t index, int&) {
    until_stop.push_back(index);
    return index == 16 ? 9 : 0;
  }),
            9);
  EXPECT_EQ(until_stop, (std::vector<std::int32_t>{2, 16}));
}

TEST(SparseListTest, CountIsOneMoreThanTheHighestIndexAndNegativeIndicesFail) {
  TSparseList<int> list(TSparseQuantum::sqSmall);
  EXPECT_EQ(list.Count(), 0);
  list.Put(9, Item(1));
  EXPECT_EQ(list.Count(), 10);
  list.Put(2, Item(1));
  EXPECT_EQ(list.Count(), 10);
  list.Put(9, nullptr);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(ListErrorOf([&] { list.Get(-1); }), "列表索引越界 (-1)");
  EXPECT_EQ(ListErrorOf([&] { list.Put(-3, Item(1)); }), "列表索引越界 (-3)");
  EXPECT_EQ(list.CheckConsistency(), "");
}

TEST(CellStoreTest, UnwrittenCellsReadEmptyAndEmptyTextFreesTheItem) {
  TCellStore store(5);
  EXPECT_EQ(store.Read(3, 4), "");
  store.Write(1, 2, "17", 5);
  store.Write(3, 2, "4", 5);
  EXPECT_EQ(store.Read(1, 2), "17");
  EXPECT_EQ(store.Read(2, 2), "");  // a row with other cells written
  EXPECT_EQ(store.Read(1, 3), "");
  EXPECT_EQ(store.StoredCellCount(), 2);
  store.Write(1, 2, "", 5);
  EXPECT_EQ(store.Read(1, 2), "");
  EXPECT_EQ(store.StoredCellCount(), 1);
  EXPECT_EQ(store.RowListCount(), 1);
  EXPECT_EQ(store.Rows().Get(2)->Cells().Count(), 4);
  store.Write(3, 2, "", 5);
  EXPECT_EQ(store.Rows().Get(2)->Cells().Count(), 0);
  EXPECT_EQ(store.CheckConsistency(), "");
  EXPECT_EQ(ListErrorOf([&] { store.Read(0, -1); }), "列表索引越界 (-1)");
  EXPECT_EQ(ListErrorOf([&] { store.Read(-2, 2); }), "列表索引越界 (-2)");
}

TEST(CellStoreTest, SectionSizesFollowTheCountsWhenEachListIsMade) {
  TCellStore small_rows(256);
  TCellStore large_rows(257);
  EXPECT_EQ(small_rows.Rows().Array().Quantum(), TSparseQuantum::sqSmall);
  EXPECT_EQ(large_rows.Rows().Array().Quantum(), TSparseQuantum::sqLarge);

  TCellStore store(5);
  store.Write(0, 0, "a", 512);
  store.Write(0, 1, "b", 513);
  EXPECT_EQ(store.Rows().Get(0)->Cells().Array().Quantum(), TSparseQuantum::sqSmall);
  EXPECT_EQ(store.Rows().Get(1)->Cells().Array().Quantum(), TSparseQuantum::sqLarge);
  // A row keeps the section size it was made with, whatever the column count is later.
  store.Write(2'000'000, 1, "far", 5);
  EXPECT_EQ(store.Read(2'000'000, 1), "far");
  EXPECT_EQ(ListErrorOf([&] { store.Write(2'000'000, 0, "far", 100'000); }),
            "列表索引越界 (2000000)");
}

TEST(CellStoreTest, RefusedWritesLeaveNoTrace) {
  TCellStore store(5);
  EXPECT_EQ(ListErrorOf([&] { store.Write(1'048'560, 3, "x", 5); }), "列表索引越界 (1048560)");
  EXPECT_EQ(ListErrorOf([&] { store.Write(-1, 3, "x", 5); }), "列表索引越界 (-1)");
  EXPECT_EQ(ListErrorOf([&] { store.Write(0, 1'048'560, "x", 5); }), "列表索引越界 (1048560)");
  EXPECT_EQ(store.RowListCount(), 0);
  store.Write(1'048'559, 1'048'559, "last", 5);
  EXPECT_EQ(store.Read(1'048'559, 1'048'559), "last");
  EXPECT_EQ(store.CheckConsistency(), "");
}

TEST(CellStoreTest, AgreesWithAPlainMapOverRandomWritesAndClears) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<std::int32_t> coordinate(0, 200);
  std::uniform_int_distribution<int> choice(0, 3);
  TCellStore store(5);
  std::map<std::pair<std::int32_t, std::int32_t>, std::string> expected;
  for (int step = 0; step < 20'000; ++step) {
    const std::int32_t col = coordinate(random);
    const std::int32_t row = coordinate(random) / 4;
    // One write in four clears, so that high bounds have to be found again.
    const std::string text = choice(random) == 0 ? "" : std::to_string(step);
    store.Write(col, row, text, 5);
    if (text.empty()) {
      expected.erase({col, row});
    } else {
      expected[{col, row}] = text;
    }
  }
  ASSERT_EQ(store.CheckConsistency(), "");
  EXPECT_EQ(store.StoredCellCount(), static_cast<std::int32_t>(expected.size()));
  for (std::int32_t row = 0; row <= 50; ++row) {
    for (std::int32_t col = 0; col <= 200; ++col) {
      const auto found = expected.find({col, row});
      ASSERT_EQ(store.Read(col, row), found == expected.end() ? "" : found->second)
          << col << "," << row;
    }
  }
}

TEST(SizeListTest, ResizeLimitsAndIndexChecks) {
  TSizeList list;
  EXPECT_FALSE(list.Exists());
  list.Resize(3, 64);
  EXPECT_EQ(std::vector<std::int32_t>(list.Entries().begin(), list.Entries().end()),
            (std::vector<std::int32_t>{64, 64, 64}));
  list.Set(1, 10);
  list.Resize(4, 21);
  EXPECT_EQ(std::vector<std::int32_t>(list.Entries().begin(), list.Entries().end()),
            (std::vector<std::int32_t>{64, 10, 64, 21}));
  const auto message_of = [&list](auto action) -> std::string {
    try {
      action();
    } catch (const EInvalidGridOperation& error) {
      return error.Message();
    }
    return "";
  };
  EXPECT_EQ(message_of([&] { list.Resize(-1, 0); }), "删除了太多的行或列");
  EXPECT_EQ(message_of([&] { list.Resize(TSizeList::kMaxEntries + 1, 0); }), "操作的网格太大");
  EXPECT_EQ(message_of([&] { list.At(4); }), "网格索引越界");
  EXPECT_EQ(message_of([&] { list.Set(-1, 5); }), "网格索引越界");
  EXPECT_EQ(list.Count(), 4);  // the failures left it as it was
  list.Resize(0, 0);
  EXPECT_FALSE(list.Exists());
}

}  // namespace
}  // namespace zelvorn
