#include "training/training_controller.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/exceptions.h"
#include "tests/training/fake_ports.h"

namespace zelvorn {
namespace {

using testing::FakeButton;
using testing::FakeChooser;
using testing::FakeGrid;
using testing::FakeInfoBox;
using testing::FakeSound;
using testing::FakeText;
using testing::FakeTimer;

constexpr char kExecutable[] = "/opt/zelvorn/bin/zelvorn";
constexpr char kSound[] = "/opt/zelvorn/bin/snd.wav";

TEST(SecondsToTimeTextTest, ZeroPadsEachFieldAndNeverWraps) {
  const std::vector<std::pair<std::int32_t, const char*>> cases = {
      {0, "00:00:00"},     {1, "00:00:01"},     {59, "00:00:59"},
      {60, "00:01:00"},    {3599, "00:59:59"},  {3600, "01:00:00"},
      {86399, "23:59:59"}, {86400, "24:00:00"}, {360000, "100:00:00"},
  };
  for (const auto& [seconds, text] : cases) {
    EXPECT_EQ(SecondsToTimeText(seconds), text) << seconds;
  }
}

TEST(SoundFilePathTest, IsSndWavBesideTheExecutable) {
  const struct {
    const char* separators;
    const char* executable;
    const char* sound;
  } cases[] = {
      {"/", kExecutable, kSound},
      {"/", "/zelvorn", "/snd.wav"},
      {"/", "zelvorn", "snd.wav"},
      // A backslash belongs to the name where only "/" separates folders.
      {"/", "/opt/a\\b/zelvorn", "/opt/a\\b/snd.wav"},
      {"/\\", "C:\\Program Files\\Zelvorn\\zelvorn.exe", "C:\\Program Files\\Zelvorn\\snd.wav"},
      {"/\\", "C:\\Zelvorn/bin\\zelvorn.exe", "C:\\Zelvorn/bin\\snd.wav"},
      {"/\\", "C:\\Zelvorn\\bin/zelvorn.exe", "C:\\Zelvorn\\bin/snd.wav"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SoundFilePath(c.executable, c.separators), c.sound) << c.executable;
  }
}

class TrainingControllerTest : public ::testing::Test {
 protected:
  void Start(std::int32_t item_index) {
    chooser_.item_index = item_index;
    controller_.Button1Click();
  }
  void Ticks(int count) {
    for (int k = 0; k < count; ++k) controller_.Timer1Timer();
  }
  void Click(std::int32_t col, std::int32_t row) { controller_.CellGrid1ClickCell(row, col); }
  void ClickNumber(std::int32_t number) {
    const auto [col, row] = grid_.Find(number);
    ASSERT_GE(col, 0) << number << " is not on the board";
    Click(col, row);
  }
  void ClickAllFrom(std::int32_t first) {
    const std::int32_t n = grid_.ColCount();
    for (std::int32_t k = first; k <= n * n; ++k) ClickNumber(k);
  }
  bool Running() const { return button_.tag == 1; }

  FakeGrid grid_;
  FakeText time_box_{"00:00:00"};
  FakeText label_{"0"};
  FakeChooser chooser_;
  FakeButton button_;
  FakeTimer timer_;
  FakeInfoBox info_box_;
  FakeSound sound_;
  TTrainingController controller_{
      {grid_, time_box_, label_, chooser_, button_, timer_, info_box_, sound_, kSound}};
};

TEST_F(TrainingControllerTest, StartSizesTheGridInOrderWritesTheBoardAndStartsTheClock) {
  label_.text = "17";
  Start(0);
  EXPECT_TRUE(Running());
  EXPECT_EQ(label_.text, "0");
  EXPECT_EQ(grid_.log, (std::vector<std::string>{"RowCount=5", "ColCount=5", "FontSize=38",
                                                 "DefaultColWidth=111", "DefaultRowHeight=104"}));
  // Column by column, each column top to bottom, with the board's numbers.
  ASSERT_EQ(grid_.cell_writes.size(), 25u);
  for (std::size_t k = 0; k < 25; ++k) {
    const auto [col, row] = grid_.cell_writes[k];
    EXPECT_EQ(col, static_cast<std::int32_t>(k / 5));
    EXPECT_EQ(row, static_cast<std::int32_t>(k % 5));
  }
  EXPECT_EQ(grid_.Cell(0, 0), "1");
  EXPECT_EQ(grid_.Cell(4, 1), "2");
  EXPECT_EQ(grid_.Cell(4, 4), "25");
  EXPECT_TRUE(timer_.enabled);
  EXPECT_EQ(time_box_.text, "00:00:00");
  EXPECT_EQ(button_.caption, "开始训练");
}

TEST_F(TrainingControllerTest, SizeChooserGivesTheTableSizeFontAndCellSizes) {
  // (item index, N, font size, column width, row height) for the stored grid size 568 x 534.
  const std::vector<std::tuple<int, int, int, int, int>> cases = {
      {-1, 4, 40, 139, 131}, {0, 5, 38, 111, 104}, {1, 6, 36, 93, 87},
      {2, 7, 34, 79, 74},    {3, 8, 32, 69, 65},   {4, 9, 30, 62, 58},
  };
  for (const auto& [item, n, font, width, height] : cases) {
    Start(item);
    EXPECT_EQ(grid_.row_count, n);
    EXPECT_EQ(grid_.col_count, n);
    EXPECT_EQ(grid_.font_size, font);
    EXPECT_EQ(grid_.col_width, width);
    EXPECT_EQ(grid_.row_height, height);
    EXPECT_EQ(controller_.Board().size(), static_cast<std::size_t>(n));
  }
}

TEST_F(TrainingControllerTest, CellsAreSizedFromTheGridsSizeAtTheStart) {
  grid_.width = 300;
  grid_.height = 210;
  Start(0);
  EXPECT_EQ(grid_.col_width, 58);
  EXPECT_EQ(grid_.row_height, 40);
}

TEST_F(TrainingControllerTest, TicksCountSecondsIntoTheTimeBox) {
  Start(0);
  Ticks(1);
  EXPECT_EQ(time_box_.text, "00:00:01");
  Ticks(60);
  EXPECT_EQ(time_box_.text, "00:01:01");
  EXPECT_EQ(controller_.ElapsedSeconds(), 61);
}

TEST_F(TrainingControllerTest, ClicksOutsideARunDoNothing) {
  Click(0, 0);  // holds 0 before any board exists: nothing is even read
  Start(0);
  ClickAllFrom(1);
  const std::string label = label_.text;
  for (std::int32_t number : {1, 2, 25}) ClickNumber(number);  // after the run is complete
  EXPECT_TRUE(sound_.played.empty());
  EXPECT_EQ(label_.text, label);
  EXPECT_EQ(controller_.CorrectCount(), 25);
}

TEST_F(TrainingControllerTest, CorrectClicksAdvanceTheLabelAndWrongOnesPlayTheSound) {
  Start(0);
  ClickNumber(1);
  EXPECT_EQ(label_.text, "1");
  ClickNumber(1);  // already found: wrong
  ClickNumber(3);  // out of order: wrong
  EXPECT_EQ(sound_.played, (std::vector<std::string>{kSound, kSound}));
  EXPECT_EQ(label_.text, "1");
  EXPECT_EQ(controller_.CorrectCount(), 1);
  ClickNumber(2);
  EXPECT_EQ(label_.text, "2");
  EXPECT_TRUE(info_box_.shown.empty());
}

TEST_F(TrainingControllerTest, CompleteRunReportsTheResultAndEndsWhenTheBoxIsDismissed) {
  Start(0);
  Ticks(30);
  ClickAllFrom(1);
  EXPECT_EQ(info_box_.shown,
            (std::vector<std::string>{"成功通过训练，你在30秒钟完成任务。本次成绩为：良好"}));
  // Finished: no run, clock off and reset; the label and the board stay until the next start.
  EXPECT_FALSE(Running());
  EXPECT_FALSE(timer_.enabled);
  EXPECT_EQ(time_box_.text, "00:00:00");
  EXPECT_EQ(controller_.ElapsedSeconds(), 0);
  EXPECT_EQ(label_.text, "25");
  EXPECT_EQ(controller_.CorrectCount(), 25);
  EXPECT_EQ(button_.caption, "开始训练");
  EXPECT_EQ(grid_.Cell(4, 4), "25");
  EXPECT_TRUE(sound_.played.empty());
}

TEST_F(TrainingControllerTest, WhileTheResultBoxIsUpTicksCountAndClicksAreWrong) {
  Start(0);
  Ticks(3);
  info_box_.while_up = [this] {
    // Reporting: still running, clock on.
    EXPECT_TRUE(Running());
    EXPECT_TRUE(timer_.enabled);
    EXPECT_EQ(label_.text, "25");
    Ticks(2);
    EXPECT_EQ(time_box_.text, "00:00:05");
    ClickNumber(25);
    ClickNumber(1);
  };
  ClickAllFrom(1);
  EXPECT_EQ(info_box_.shown,
            (std::vector<std::string>{"成功通过训练，你在3秒钟完成任务。本次成绩为：优秀"}));
  EXPECT_EQ(sound_.played, (std::vector<std::string>{kSound, kSound}));
  // The ticks counted while the box was up are dropped with the run.
  EXPECT_EQ(controller_.ElapsedSeconds(), 0);
  EXPECT_EQ(time_box_.text, "00:00:00");
  EXPECT_FALSE(Running());
}

TEST_F(TrainingControllerTest, RunStartedWhileTheResultBoxIsUpGoesOnAfterItCloses) {
  Start(0);
  info_box_.while_up = [this] {
    Start(4);
    ClickNumber(1);
    Ticks(2);
  };
  ClickAllFrom(1);
  // The new 9 x 9 run is untouched by the old run's end.
  EXPECT_TRUE(Running());
  EXPECT_TRUE(timer_.enabled);
  EXPECT_EQ(grid_.ColCount(), 9);
  EXPECT_EQ(controller_.CorrectCount(), 1);
  EXPECT_EQ(controller_.ElapsedSeconds(), 2);
  EXPECT_EQ(time_box_.text, "00:00:02");
  EXPECT_EQ(label_.text, "1");
  // And it can be completed and graded as usual.
  ClickAllFrom(2);
  EXPECT_EQ(info_box_.shown.back(), "成功通过训练，你在2秒钟完成任务。本次成绩为：优秀");
  EXPECT_FALSE(Running());
  EXPECT_EQ(time_box_.text, "00:00:00");
}

TEST_F(TrainingControllerTest, RestartDuringARunBeginsANewBoardAndKeepsTheClocksPhase) {
  Start(0);
  Ticks(7);
  ClickNumber(1);
  ClickNumber(2);
  const TNumberBoard first = controller_.Board();
  chooser_.item_index = 2;  // changing the chooser alone changes nothing
  EXPECT_EQ(grid_.ColCount(), 5);
  controller_.Button1Click();
  EXPECT_TRUE(Running());
  EXPECT_EQ(grid_.ColCount(), 7);
  EXPECT_NE(controller_.Board(), first);
  EXPECT_EQ(controller_.CorrectCount(), 0);
  EXPECT_EQ(controller_.ElapsedSeconds(), 0);
  EXPECT_EQ(label_.text, "0");
  EXPECT_EQ(timer_.starts, 1);            // enabled once, never restarted
  EXPECT_EQ(time_box_.text, "00:00:07");  // the old time shows until the next tick
  Ticks(1);
  EXPECT_EQ(time_box_.text, "00:00:01");
}

TEST_F(TrainingControllerTest, NoSizeChosenGivesAFourByFourRun) {
  Start(-1);
  EXPECT_EQ(grid_.font_size, 40);
  EXPECT_EQ(grid_.cell_writes.size(), 16u);
  EXPECT_EQ(grid_.Cell(0, 0), "1");  // the first 4 x 4 board: 1 4 13 2 on row 0
  EXPECT_EQ(grid_.Cell(2, 0), "13");
  ClickAllFrom(1);
  EXPECT_EQ(info_box_.shown.size(), 1u);
  EXPECT_EQ(label_.text, "16");
}

TEST_F(TrainingControllerTest, ClickOnATextThatIsNotANumberFailsBeforeAnythingChanges) {
  Start(0);
  ClickNumber(1);
  for (const std::string text : {"", "abc", "1 "}) {
    grid_.cells[{7, 7}] = text;
    try {
      Click(7, 7);
      ADD_FAILURE() << "no error for '" << text << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "'" + text + "' 不是一个有效的整形值");
    }
  }
  EXPECT_TRUE(sound_.played.empty());
  EXPECT_EQ(controller_.CorrectCount(), 1);
  EXPECT_EQ(label_.text, "1");
  EXPECT_TRUE(Running());
}

TEST_F(TrainingControllerTest, ClockThatCannotStartLeavesNoRunActive) {
  timer_.refuse = true;
  try {
    Start(0);
    ADD_FAILURE() << "the refused timer went unreported";
  } catch (const EOutOfResources& e) {
    EXPECT_EQ(e.Message(), "可用的计时器不足");
  }
  EXPECT_FALSE(Running());
  EXPECT_FALSE(timer_.enabled);
  ClickAllFrom(1);  // would otherwise be graded excellent on 0 seconds
  EXPECT_TRUE(info_box_.shown.empty());
  EXPECT_TRUE(sound_.played.empty());
  EXPECT_EQ(controller_.CorrectCount(), 0);
  // Once a timer is available again, a start works as usual.
  timer_.refuse = false;
  Start(0);
  EXPECT_TRUE(Running());
  EXPECT_TRUE(timer_.enabled);
}

TEST_F(TrainingControllerTest, EveryCellIsCentredBothWays) {
  for (const auto& [row, col] : std::vector<std::pair<int, int>>{{0, 0}, {3, 8}, {-1, -1}}) {
    TAlignment h = TAlignment::taLeftJustify;
    TVAlignment v = TVAlignment::vtaTop;
    controller_.CellGrid1GetAlignment(row, col, h, v);
    EXPECT_EQ(h, TAlignment::taCenter);
    EXPECT_EQ(v, TVAlignment::vtaCenter);
  }
}

// (item index, ticks before the last click, grade)
class GradeTest : public TrainingControllerTest,
                  public ::testing::WithParamInterface<std::tuple<int, int, const char*>> {};

TEST_P(GradeTest, GradesWholeSecondsPerCell) {
  const auto [item, ticks, grade] = GetParam();
  Start(item);
  ClickNumber(1);
  Ticks(ticks);
  ClickAllFrom(2);
  ASSERT_EQ(info_box_.shown.size(), 1u);
  EXPECT_EQ(info_box_.shown[0],
            "成功通过训练，你在" + std::to_string(ticks) + "秒钟完成任务。本次成绩为：" + grade);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, GradeTest,
    ::testing::Values(std::make_tuple(0, 0, "优秀"), std::make_tuple(0, 24, "优秀"),
                      std::make_tuple(0, 25, "良好"), std::make_tuple(0, 30, "良好"),
                      std::make_tuple(0, 49, "良好"), std::make_tuple(0, 50, "一般"),
                      std::make_tuple(0, 74, "一般"),
                      std::make_tuple(0, 75, "不及格，还需加强训练哟"),
                      std::make_tuple(4, 80, "优秀"), std::make_tuple(4, 81, "良好"),
                      std::make_tuple(4, 242, "一般"),
                      std::make_tuple(4, 243, "不及格，还需加强训练哟"),
                      std::make_tuple(-1, 15, "优秀"), std::make_tuple(-1, 16, "良好")),
    [](const auto& info) {
      return "Size" + std::to_string(std::get<0>(info.param) + 5) + "After" +
             std::to_string(std::get<1>(info.param)) + "Seconds";
    });

}  // namespace
}  // namespace zelvorn
