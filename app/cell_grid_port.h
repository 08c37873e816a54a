#pragma once

#include <cstdint>
#include <string>

#include "training/ports.h"

namespace zelvorn {

class TCellGrid;

// The training controller's view of the number grid, the same on every host: a thin
// pass-through to the grid's facade.
class TCellGridPort final : public ITrainingGrid {
 public:
  explicit TCellGridPort(TCellGrid& grid) : grid_(grid) {}
  void SetRowCount(std::int32_t count) override;
  void SetColCount(std::int32_t count) override;
  std::int32_t ColCount() const override;
  // Changes only the size of the grid's font, which repaints the grid.
  void SetFontSize(std::int32_t points) override;
  std::int32_t Width() const override;
  std::int32_t Height() const override;
  void SetDefaultColWidth(std::int32_t pixels) override;
  void SetDefaultRowHeight(std::int32_t pixels) override;
  std::string Cell(std::int32_t col, std::int32_t row) const override;
  void SetCell(std::int32_t col, std::int32_t row, const std::string& text) override;

 private:
  TCellGrid& grid_;
};

}  // namespace zelvorn
