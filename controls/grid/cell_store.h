#pragma once

#include <cstdint>
#include <string>

#include "controls/grid/sparse_array.h"

namespace zelvorn {

// One row's cells, indexed by column. Only non-empty texts are stored: writing the empty text
// frees the cell's item.
class TStringSparseList {
 public:
  explicit TStringSparseList(TSparseQuantum quantum) : cells_(quantum) {}

  // The cell's text; the empty text for a cell never written. A negative column fails with
  // EListError.
  const std::string& Get(std::int32_t col) const;
  // Replaces the cell's text. A negative column, or one beyond what the row's sections can
  // hold, fails with EListError and changes nothing.
  void Put(std::int32_t col, const std::string& text);

  const TSparseList<std::string>& Cells() const { return cells_; }

 private:
  TSparseList<std::string> cells_;
};

// The grid's cell texts: a sparse list of rows, each a sparse list of cells. Rows without any
// text, and the empty stretches of a row, take no memory.
// The store knows nothing of the grid's counts: cells outside them stay stored and reappear when
// the counts grow again.
class TCellStore {
 public:
  // Rows use large sections when the grid has more than 256 rows when the store is made, and a
  // row's cells use large sections when the grid has more than 512 columns when that row's list
  // is made.
  static constexpr std::int32_t kSmallRowLimit = 256;
  static constexpr std::int32_t kSmallColumnLimit = 512;

  explicit TCellStore(std::int32_t row_count);

  // The text of a cell, the empty text for one never written. A negative row, or a negative
  // column in a row that has a cell list, fails with EListError "列表索引越界 (<index>)".
  const std::string& Read(std::int32_t col, std::int32_t row) const;
  // Stores a cell's text; col_count is the grid's column count now, which fixes the section size
  // of a row list this write creates. A negative index, or one beyond what the sparse lists can
  // hold (1,048,559 with small sections), fails with EListError.
  void Write(std::int32_t col, std::int32_t row, const std::string& text, std::int32_t col_count);

  // The number of rows that have a cell list, and the number of stored (non-empty) cells.
  std::int32_t RowListCount() const;
  std::int32_t StoredCellCount() const;
  const TSparseList<TStringSparseList>& Rows() const { return rows_; }

  // Empty when every list's bookkeeping agrees with its contents and no stored cell is empty;
  // else a description of the first fault found.
  std::string CheckConsistency() const;

 private:
  TSparseList<TStringSparseList> rows_;
};

}  // namespace zelvorn
