#pragma once

#include <string>

#include "training/ports.h"

namespace zelvorn {

class TButton;
class TCellGrid;
class TComboBox;
class TLabel;
class TTimer;
class TVosTimeBox;

// The training controller's views of the main window's controls, each a thin pass-through.

class TGridPort final : public ITrainingGrid {
 public:
  explicit TGridPort(TCellGrid& grid) : grid_(grid) {}
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

class TTimeBoxPort final : public ITextView {
 public:
  explicit TTimeBoxPort(TVosTimeBox& box) : box_(box) {}
  void SetText(const std::string& text) override;

 private:
  TVosTimeBox& box_;
};

class TLabelPort final : public ITextView {
 public:
  explicit TLabelPort(TLabel& label) : label_(label) {}
  void SetText(const std::string& text) override;

 private:
  TLabel& label_;
};

class TComboBoxPort final : public ISizeChooser {
 public:
  explicit TComboBoxPort(const TComboBox& box) : box_(box) {}
  std::int32_t ItemIndex() const override;

 private:
  const TComboBox& box_;
};

class TButtonPort final : public IStartButton {
 public:
  explicit TButtonPort(TButton& button) : button_(button) {}
  std::int32_t Tag() const override;
  void SetTag(std::int32_t tag) override;
  void SetCaption(const std::string& caption) override;

 private:
  TButton& button_;
};

class TTimerPort final : public IRunTimer {
 public:
  explicit TTimerPort(TTimer& timer) : timer_(timer) {}
  void SetEnabled(bool enabled) override;

 private:
  TTimer& timer_;
};

}  // namespace zelvorn
