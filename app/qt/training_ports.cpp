#include "app/qt/training_ports.h"

#include "app/qt/form_controls.h"
#include "controls/grid/cell_grid.h"
#include "controls/timebox/qt/vos_time_box.h"
#include "platform/timer.h"

namespace zelvorn {

void TGridPort::SetRowCount(std::int32_t count) { grid_.SetRowCount(count); }
void TGridPort::SetColCount(std::int32_t count) { grid_.SetColCount(count); }
std::int32_t TGridPort::ColCount() const { return grid_.ColCount(); }

void TGridPort::SetFontSize(std::int32_t points) {
  TFont font = grid_.Font();
  font.SetSize(points);
  grid_.SetFont(font);
}

std::int32_t TGridPort::Width() const { return grid_.Width(); }
std::int32_t TGridPort::Height() const { return grid_.Height(); }
void TGridPort::SetDefaultColWidth(std::int32_t pixels) { grid_.SetDefaultColWidth(pixels); }
void TGridPort::SetDefaultRowHeight(std::int32_t pixels) { grid_.SetDefaultRowHeight(pixels); }
std::string TGridPort::Cell(std::int32_t col, std::int32_t row) const {
  return grid_.Cells(col, row);
}
void TGridPort::SetCell(std::int32_t col, std::int32_t row, const std::string& text) {
  grid_.SetCells(col, row, text);
}

void TTimeBoxPort::SetText(const std::string& text) { box_.SetText(text); }
void TLabelPort::SetText(const std::string& text) { label_.SetCaption(text); }
std::int32_t TComboBoxPort::ItemIndex() const { return box_.ItemIndex(); }
std::int32_t TButtonPort::Tag() const { return button_.Tag(); }
void TButtonPort::SetTag(std::int32_t tag) { button_.SetTag(tag); }
void TButtonPort::SetCaption(const std::string& caption) { button_.SetCaption(caption); }
void TTimerPort::SetEnabled(bool enabled) { timer_.SetEnabled(enabled); }

}  // namespace zelvorn
