#include "controls/grid/cell_store.h"

#include <memory>

namespace zelvorn {

namespace {

const std::string kEmptyText;

TSparseQuantum QuantumFor(std::int32_t count, std::int32_t small_limit) {
  return count > small_limit ? TSparseQuantum::sqLarge : TSparseQuantum::sqSmall;
}

}  // namespace

const std::string& TStringSparseList::Get(std::int32_t col) const {
  const std::string* text = cells_.Get(col);
  return text != nullptr ? *text : kEmptyText;
}

void TStringSparseList::Put(std::int32_t col, const std::string& text) {
  // An empty cell is no item at all, so the store holds only what is worth showing.
  cells_.Put(col, text.empty() ? nullptr : std::make_unique<std::string>(text));
}

TCellStore::TCellStore(std::int32_t row_count) : rows_(QuantumFor(row_count, kSmallRowLimit)) {}

const std::string& TCellStore::Read(std::int32_t col, std::int32_t row) const {
  const TStringSparseList* cells = rows_.Get(row);
  return cells != nullptr ? cells->Get(col) : kEmptyText;
}

void TCellStore::Write(std::int32_t col, std::int32_t row, const std::string& text,
                       std::int32_t col_count) {
  TStringSparseList* cells = rows_.Get(row);
  if (cells == nullptr) {
    auto made = std::make_unique<TStringSparseList>(QuantumFor(col_count, kSmallColumnLimit));
    // Check the column before the row list is stored, so that a refused write leaves no trace.
    if (col < 0 || col > made->Cells().Array().HighestUsableIndex()) {
      throw EListError(Format(messages::kListIndexError, {col}));
    }
    cells = made.get();
    rows_.Put(row, std::move(made));
  }
  cells->Put(col, text);
}

std::int32_t TCellStore::RowListCount() const {
  std::int32_t count = 0;
  rows_.VisitAll([&count](std::int32_t, const TStringSparseList&) {
    ++count;
    return 0;
  });
  return count;
}

std::int32_t TCellStore::StoredCellCount() const {
  std::int32_t count = 0;
  rows_.VisitAll([&count](std::int32_t, const TStringSparseList& cells) {
    cells.Cells().VisitAll([&count](std::int32_t, const std::string&) {
      ++count;
      return 0;
    });
    return 0;
  });
  return count;
}

std::string TCellStore::CheckConsistency() const {
  if (std::string problem = rows_.CheckConsistency(); !problem.empty()) {
    return "rows: " + problem;
  }
  std::string problem;
  rows_.VisitAll([&problem](std::int32_t row, const TStringSparseList& cells) {
    problem = cells.Cells().CheckConsistency();
    if (problem.empty()) {
      cells.Cells().VisitAll([&](std::int32_t col, const std::string& text) {
        if (text.empty()) problem = Format("cell (%d, %d) is stored empty", {col, row});
        return problem.empty() ? 0 : 1;
      });
    } else {
      problem = Format("row %d: %s", {row, problem});
    }
    return problem.empty() ? 0 : 1;
  });
  return problem;
}

}  // namespace zelvorn
