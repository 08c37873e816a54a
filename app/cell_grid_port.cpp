#include "app/cell_grid_port.h"

#include "controls/grid/cell_grid.h"

namespace zelvorn {

void TCellGridPort::SetRowCount(std::int32_t count) { grid_.SetRowCount(count); }
void TCellGridPort::SetColCount(std::int32_t count) { grid_.SetColCount(count); }
std::int32_t TCellGridPort::ColCount() const { return grid_.ColCount(); }

void TCellGridPort::SetFontSize(std::int32_t points) {
  TFont font = grid_.Font();
  font.SetSize(points);
  grid_.SetFont(font);
}

std::int32_t TCellGridPort::Width() const { return grid_.View().Width(); }
std::int32_t TCellGridPort::Height() const { return grid_.View().Height(); }
void TCellGridPort::SetDefaultColWidth(std::int32_t pixels) { grid_.SetDefaultColWidth(pixels); }
void TCellGridPort::SetDefaultRowHeight(std::int32_t pixels) { grid_.SetDefaultRowHeight(pixels); }
std::string TCellGridPort::Cell(std::int32_t col, std::int32_t row) const {
  return grid_.Cells(col, row);
}
void TCellGridPort::SetCell(std::int32_t col, std::int32_t row, const std::string& text) {
  grid_.SetCells(col, row, text);
}

}  // namespace zelvorn
