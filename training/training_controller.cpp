#include "training/training_controller.h"

#include "platform/format.h"

namespace zelvorn {

std::string SecondsToTimeText(std::int32_t seconds) {
  return Format("%-.2d:%-.2d:%-.2d", {seconds / 3600, seconds % 3600 / 60, seconds % 60});
}

std::string GradeText(std::int32_t seconds_per_cell) {
  switch (seconds_per_cell) {
    case 0:
      return "优秀";
    case 1:
      return "良好";
    case 2:
      return "一般";
    default:
      return "不及格，还需加强训练哟";
  }
}

std::string ResultText(std::int32_t elapsed_seconds, const std::string& grade) {
  return Format("成功通过训练，你在%d秒钟完成任务。本次成绩为：%s", {elapsed_seconds, grade});
}

std::string SoundFilePath(const std::string& executable_path, std::string_view folder_separators) {
  const std::size_t separator = executable_path.find_last_of(folder_separators);
  const std::string directory =
      separator == std::string::npos ? std::string() : executable_path.substr(0, separator + 1);
  return directory + "snd.wav";
}

void TTrainingController::Button1Click() {
  ports_.start_button.SetTag(kRunActive);
  ports_.progress_label.SetText("0");
  StartRun(ports_.size_chooser.ItemIndex() + 5);
}

void TTrainingController::StartRun(std::int32_t n) {
  ITrainingGrid& grid = ports_.grid;
  grid.SetRowCount(n);
  grid.SetColCount(n);
  grid.SetFontSize(48 - 2 * n);
  // The cells are sized from the grid's size now; a later resize keeps them until the next start.
  grid.SetDefaultColWidth((grid.Width() - 10) / n);
  grid.SetDefaultRowHeight((grid.Height() - 10) / n);
  BuildNumberBoard(n, generator_, board_);
  for (std::int32_t i = 0; i < n; ++i) {
    for (std::int32_t j = 0; j < n; ++j) {
      grid.SetCell(i, j, std::to_string(board_[i][j]));
    }
  }
  elapsed_seconds_ = 0;
  correct_count_ = 0;
  ++runs_started_;
  try {
    // Already on during a run: then it keeps its phase and the first tick may come early.
    ports_.timer.SetEnabled(true);
  } catch (...) {
    // Without a clock the run would be graded on 0 seconds; it must not count as a run at all.
    ports_.start_button.SetTag(0);
    throw;
  }
}

void TTrainingController::Timer1Timer() {
  ++elapsed_seconds_;
  ports_.time_box.SetText(SecondsToTimeText(elapsed_seconds_));
}

void TTrainingController::CellGrid1ClickCell(std::int32_t ARow, std::int32_t ACol) {
  if (!RunActive()) return;
  const std::int32_t value = StrToInt(ports_.grid.Cell(ACol, ARow));
  if (value != correct_count_ + 1) {
    ports_.sound.PlayAsync(ports_.sound_path);
    return;
  }
  ++correct_count_;
  ports_.progress_label.SetText(std::to_string(correct_count_));
  const std::int32_t n = ports_.grid.ColCount();
  if (n * n != correct_count_) return;
  FinishRun();
}

void TTrainingController::FinishRun() {
  const std::string grade = GradeText(elapsed_seconds_ / correct_count_);
  const std::uint64_t this_run = runs_started_;
  // Ticks and clicks keep arriving while the box is up; a start pressed meanwhile begins a new
  // run, which the closing box must leave alone.
  ports_.info_box.ShowInfoMessage(ResultText(elapsed_seconds_, grade));
  if (runs_started_ != this_run) return;
  ports_.start_button.SetTag(0);
  elapsed_seconds_ = 0;
  ports_.start_button.SetCaption("开始训练");
  ports_.timer.SetEnabled(false);
  ports_.time_box.SetText("00:00:00");
}

void TTrainingController::CellGrid1GetAlignment(std::int32_t, std::int32_t, TAlignment& HAlign,
                                                TVAlignment& VAlign) const {
  HAlign = TAlignment::taCenter;
  VAlign = TVAlignment::vtaCenter;
}

}  // namespace zelvorn
