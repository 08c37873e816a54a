#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/alignment.h"
#include "training/number_board.h"
#include "training/ports.h"

namespace zelvorn {

// Hours, minutes and seconds, each padded with zeros to two digits or more; the hours go past 24
// freely: 3600 -> "01:00:00", 360000 -> "100:00:00".
std::string SecondsToTimeText(std::int32_t seconds);

// The grade for the whole seconds spent per cell: 0 excellent, 1 good, 2 fair, 3 or more failed.
std::string GradeText(std::int32_t seconds_per_cell);

// The message shown when a run is complete.
std::string ResultText(std::int32_t elapsed_seconds, const std::string& grade);

// The wrong-click sound: "snd.wav" in the folder of the executable. `folder_separators` are the
// characters that may end a folder's name in the host's paths.
std::string SoundFilePath(const std::string& executable_path, std::string_view folder_separators);

// The training exercise: starts runs, counts seconds, judges clicks and reports the result.
// It owns the process's number board and generator and keeps the run-active flag in the start
// button's Tag. Its handlers are wired to the main window's events.
class TTrainingController {
 public:
  explicit TTrainingController(TTrainingPorts ports) : ports_(std::move(ports)) {}

  // Start (Button1.OnClick): a new board of the chosen size, counters at 0, the clock on.
  void Button1Click();
  // One second of the run's clock (Timer1.OnTimer).
  void Timer1Timer();
  // A left press on a cell (CellGrid1.OnClickCell); the row comes before the column.
  void CellGrid1ClickCell(std::int32_t ARow, std::int32_t ACol);
  // Every number stands centred in its cell (CellGrid1.OnGetAlignment).
  void CellGrid1GetAlignment(std::int32_t ARow, std::int32_t ACol, TAlignment& HAlign,
                             TVAlignment& VAlign) const;

  std::int32_t ElapsedSeconds() const { return elapsed_seconds_; }
  std::int32_t CorrectCount() const { return correct_count_; }
  const TNumberBoard& Board() const { return board_; }
  const TRandomGenerator& Generator() const { return generator_; }

 private:
  static constexpr std::int32_t kRunActive = 1;

  bool RunActive() const { return ports_.start_button.Tag() == kRunActive; }
  void StartRun(std::int32_t n);
  void FinishRun();

  TTrainingPorts ports_;
  TRandomGenerator generator_;
  TNumberBoard board_;
  std::int32_t elapsed_seconds_ = 0;
  std::int32_t correct_count_ = 0;
  // Counts the runs started; lets a result box that closes late tell whether its run was
  // replaced by a newer one while it was up.
  std::uint64_t runs_started_ = 0;
};

}  // namespace zelvorn
