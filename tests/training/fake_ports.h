#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/exceptions.h"
#include "platform/messages.h"
#include "training/ports.h"

namespace zelvorn::testing {

// Stand-ins for the main window's controls. Each records what the controller did to it; the
// grid also logs its writes in order.
class FakeGrid : public ITrainingGrid {
 public:
  void SetRowCount(std::int32_t count) override { Log("RowCount", row_count = count); }
  void SetColCount(std::int32_t count) override { Log("ColCount", col_count = count); }
  std::int32_t ColCount() const override { return col_count; }
  void SetFontSize(std::int32_t points) override { Log("FontSize", font_size = points); }
  std::int32_t Width() const override { return width; }
  std::int32_t Height() const override { return height; }
  void SetDefaultColWidth(std::int32_t pixels) override { Log("DefaultColWidth", col_width = pixels); }
  void SetDefaultRowHeight(std::int32_t pixels) override {
    Log("DefaultRowHeight", row_height = pixels);
  }
  std::string Cell(std::int32_t col, std::int32_t row) const override {
    auto it = cells.find({col, row});
    return it == cells.end() ? std::string() : it->second;
  }
  void SetCell(std::int32_t col, std::int32_t row, const std::string& text) override {
    cells[{col, row}] = text;
    cell_writes.push_back({col, row});
  }

  // The cell showing a number, as a person would find it on the screen.
  std::pair<std::int32_t, std::int32_t> Find(std::int32_t number) const {
    for (const auto& [where, text] : cells) {
      if (text == std::to_string(number)) return where;
    }
    return {-1, -1};
  }

  std::int32_t row_count = 5, col_count = 5, font_size = 0, col_width = 110, row_height = 105;
  std::int32_t width = 568, height = 534;
  std::map<std::pair<std::int32_t, std::int32_t>, std::string> cells;
  std::vector<std::pair<std::int32_t, std::int32_t>> cell_writes;
  std::vector<std::string> log;

 private:
  void Log(const char* what, std::int32_t value) { log.push_back(what + ("=" + std::to_string(value))); }
};

class FakeText : public ITextView {
 public:
  explicit FakeText(std::string initial) : text(std::move(initial)) {}
  void SetText(const std::string& value) override { text = value; }
  std::string text;
};

class FakeChooser : public ISizeChooser {
 public:
  std::int32_t ItemIndex() const override { return item_index; }
  std::int32_t item_index = 0;
};

class FakeButton : public IStartButton {
 public:
  std::int32_t Tag() const override { return tag; }
  void SetTag(std::int32_t value) override { tag = value; }
  void SetCaption(const std::string& value) override { caption = value; }
  std::int32_t tag = 0;
  std::string caption = "开始训练";
};

class FakeTimer : public IRunTimer {
 public:
  void SetEnabled(bool value) override {
    if (value && !enabled && refuse) throw EOutOfResources(messages::kOutOfTimers);
    if (value && !enabled) ++starts;  // a fresh phase; enabling an enabled timer keeps it
    enabled = value;
  }
  bool enabled = false;
  bool refuse = false;
  int starts = 0;
};

// Shows nothing; runs while_up as if the user acted while the box was on the screen.
class FakeInfoBox : public IInfoBox {
 public:
  void ShowInfoMessage(const std::string& text) override {
    shown.push_back(text);
    if (while_up) std::exchange(while_up, nullptr)();
  }
  std::vector<std::string> shown;
  std::function<void()> while_up;
};

class FakeSound : public ISoundPlayer {
 public:
  void PlayAsync(const std::string& path) override { played.push_back(path); }
  std::vector<std::string> played;
};

}  // namespace zelvorn::testing
