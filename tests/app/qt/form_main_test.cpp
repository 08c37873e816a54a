// The main window as a person uses it: real clicks and keys through Qt, on the offscreen
// platform, with ticks delivered by hand and the boxes and sounds recorded instead of shown.
#define QTEST_QPA_MOUSE_HANDLING  // clicks travel the platform's way, window first
#include "app/qt/form_main.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTest>
#include <string>
#include <tuple>
#include <vector>

#include "app/form_main_layout.h"
#include "app/qt/application.h"
#include "app/qt/form_controls.h"
#include "controls/grid/qt/cell_grid_widget.h"
#include "controls/timebox/qt/vos_time_box.h"
#include "platform/timer.h"
#include "tests/app/qt/recording_boxes.h"
#include "tests/support/fake_timer_source.h"

namespace zelvorn {
namespace {

using EKind = TRecordingBoxes::EKind;
using testing::TFakeTimerSource;

TApplication& App() { return static_cast<TApplication&>(*QCoreApplication::instance()); }

class TRecordingPlayer final : public IWavePlayer {
 public:
  void PlayAsync(const std::string& path) override { played.push_back(path); }
  void Preload(const std::string& path) override { preloaded.push_back(path); }
  std::vector<std::string> played;
  std::vector<std::string> preloaded;
};

class FormMainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto boxes = std::make_unique<TRecordingBoxes>();
    boxes_ = boxes.get();
    real_boxes_ = App().SetMessageBoxes(std::move(boxes));
    auto player = std::make_unique<TRecordingPlayer>();
    player_ = player.get();
    real_player_ = App().SetWavePlayer(std::move(player));
    form_ = std::make_unique<TForm_main>(App());
    form_->show();
    form_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  }
  void TearDown() override {
    form_.reset();
    App().SetMessageBoxes(std::move(real_boxes_));
    App().SetWavePlayer(std::move(real_player_));
  }

  TCellGrid& Grid() { return form_->CellGrid1->Grid(); }
  void Start() { QTest::mouseClick(form_->Button1, Qt::LeftButton); }
  void Start(int item) {
    form_->ComboBox1->SetItemIndex(item);
    Start();
  }
  void Tick(int count = 1) {
    for (int k = 0; k < count; ++k) timers_.Tick(*form_->Timer1);
  }
  void ClickCell(std::int32_t col, std::int32_t row) {
    const TRect r = Grid().CellBounds(col, row);
    QTest::mouseClick(form_->CellGrid1->viewport(), Qt::LeftButton, {},
                      QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
  }
  // Clicks the cell that shows `number`, as a person finds it on the screen.
  void ClickNumber(std::int32_t number) {
    for (std::int32_t col = 0; col < Grid().ColCount(); ++col) {
      for (std::int32_t row = 0; row < Grid().RowCount(); ++row) {
        if (Grid().Cells(col, row) == std::to_string(number)) return ClickCell(col, row);
      }
    }
    FAIL() << number << " is not on the board";
  }
  bool Running() const { return form_->Button1->Tag() == 1; }
  std::string TimeText() const { return form_->VosTimeBox1->Text(); }
  std::string Progress() const { return form_->Label2->Caption(); }

  TFakeTimerSource timers_;
  TScopedTimerSource timer_scope_{timers_};
  TRecordingBoxes* boxes_ = nullptr;
  TRecordingPlayer* player_ = nullptr;
  std::unique_ptr<TForm_main> form_;

 private:
  std::unique_ptr<IMessageBoxes> real_boxes_;
  std::unique_ptr<IWavePlayer> real_player_;
};

QRect Rect(const TBounds& bounds) { return {bounds.Left, bounds.Top, bounds.Width, bounds.Height}; }

// The window applies every value of its layout data to its Qt controls, and loads into the idle
// state: an empty board and no run.
TEST_F(FormMainTest, BuildsEveryControlFromTheLayoutAndLoadsWithNoRun) {
  const TFormMainLayout& stored = FormMainLayout();
  const std::int32_t strip = stored.Panel1.Height;
  EXPECT_EQ(form_->windowTitle().toStdString(), stored.Form.Caption);
  EXPECT_EQ(form_->size(), QSize(stored.Form.ClientWidth, stored.Form.ClientHeight));
  EXPECT_EQ(form_->Panel1->geometry(), QRect(0, 0, stored.Form.ClientWidth, strip));
  EXPECT_EQ(form_->CellGrid1->geometry(),
            QRect(0, strip, stored.Form.ClientWidth, stored.Form.ClientHeight - strip));
  EXPECT_EQ(form_->Label1->geometry().topLeft(), Rect(stored.Label1.Bounds).topLeft());
  EXPECT_EQ(form_->Label1->Caption(), stored.Label1.Caption);
  EXPECT_EQ(form_->Label2->geometry().topLeft(), Rect(stored.Label2.Bounds).topLeft());
  EXPECT_EQ(form_->Label2->font().pixelSize(), -stored.Label2.Font.Height);
  EXPECT_EQ(form_->ComboBox1->geometry(), Rect(stored.ComboBox1.Bounds));
  ASSERT_EQ(form_->ComboBox1->count(), static_cast<int>(stored.ComboBox1.Items.size()));
  for (int k = 0; k < form_->ComboBox1->count(); ++k) {
    EXPECT_EQ(form_->ComboBox1->itemText(k).toStdString(), stored.ComboBox1.Items[k]);
  }
  EXPECT_EQ(form_->ComboBox1->ItemIndex(), stored.ComboBox1.ItemIndex);
  EXPECT_EQ(form_->Button1->geometry(), Rect(stored.Button1.Bounds));
  EXPECT_EQ(form_->Button1->text().toStdString(), stored.Button1.Caption);
  EXPECT_EQ(form_->VosTimeBox1->geometry(), Rect(stored.VosTimeBox1.Bounds));
  EXPECT_EQ(form_->VosTimeBox1->Look().Font, stored.VosTimeBox1.Look.Font);
  EXPECT_EQ(form_->VosTimeBox1->Look().Color, stored.VosTimeBox1.Look.Color);
  EXPECT_EQ(form_->VosTimeBox1->isEnabled(), stored.VosTimeBox1.Look.Enabled);
  EXPECT_EQ(form_->VosTimeBox1->isReadOnly(), stored.VosTimeBox1.Look.ReadOnly);
  EXPECT_EQ(form_->VosTimeBox1->Look().AutoSelect, stored.VosTimeBox1.Look.AutoSelect);

  const TCellGrid& grid = Grid();
  EXPECT_EQ(grid.View().Width(), form_->CellGrid1->width());
  EXPECT_EQ(grid.RowCount(), stored.CellGrid1.RowCount);
  EXPECT_EQ(grid.ColCount(), 5);  // not stored: the grid's own default
  EXPECT_EQ(grid.DefaultColWidth(), stored.CellGrid1.DefaultColWidth);
  EXPECT_EQ(grid.DefaultRowHeight(), stored.CellGrid1.DefaultRowHeight);
  EXPECT_EQ(grid.Options(), stored.CellGrid1.Options);
  EXPECT_EQ(grid.ScrollBars(), stored.CellGrid1.ScrollBars);
  EXPECT_EQ(grid.Font(), stored.CellGrid1.Font);
  for (std::int32_t col = 0; col < grid.ColCount(); ++col) {
    for (std::int32_t row = 0; row < grid.RowCount(); ++row) EXPECT_EQ(grid.Cells(col, row), "");
  }
  EXPECT_EQ(grid.Model().Current, (TCellCoord{0, 0}));

  EXPECT_EQ(Progress(), "0");
  EXPECT_FALSE(Running());
  EXPECT_FALSE(form_->Timer1->Enabled());
  EXPECT_EQ(form_->Timer1->Interval(), 1000u);
  EXPECT_EQ(TimeText(), "00:00:00");
  // Its own clock was stopped and then unpaused while loading: its timer ticks to no effect.
  EXPECT_FALSE(form_->VosTimeBox1->Clock().NowBegin());
  EXPECT_TRUE(form_->VosTimeBox1->Clock().Timer().Enabled());
  timers_.Tick(form_->VosTimeBox1->Clock().Timer());
  EXPECT_EQ(TimeText(), "00:00:00");
}

// The bounding box of the pixels darker than mid-grey inside `area` of `image`.
QRect Ink(const QImage& image, const QRect& area) {
  QRect ink;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (qGray(image.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
    }
  }
  return ink;
}

TEST_F(FormMainTest, TheProgressNumberStandsInsideTheStripBesideItsCaption) {
  // Digits are half as wide as a Chinese character and a line is one character high, as the
  // layout was measured: "25" ends where the caption 表格 begins.
  EXPECT_EQ(form_->Label2->geometry(), QRect(5, 4, 28, 56));
  form_->Label2->SetCaption("25");
  EXPECT_EQ(form_->Label2->geometry(), QRect(5, 4, 56, 56));
  EXPECT_EQ(form_->Label1->geometry(), QRect(61, 26, 32, 16));
  const QImage strip = form_->Panel1->grab().toImage();
  const QRect number = Ink(strip, QRect(2, 2, 62, 66));
  // Whole digits (a cut-off line would show less of them), clear of the strip's edges.
  EXPECT_GE(number.height(), 38) << number.top() << ".." << number.bottom();
  EXPECT_GE(number.top(), 6);
  EXPECT_LE(number.bottom(), 64);
  const QRect caption = Ink(strip, QRect(61, 20, 40, 30));
  EXPECT_GE(caption.top(), 24);
  EXPECT_LE(caption.bottom(), 44);
}

TEST_F(FormMainTest, StartSizesTheCellsFromTheGridsSizeForEveryTableSize) {
  // (item index, N, font size in points, column width, row height); -1: text typed over.
  const std::vector<std::tuple<int, int, int, int, int>> cases = {
      {0, 5, 38, 111, 104}, {1, 6, 36, 93, 87}, {2, 7, 34, 79, 74},
      {3, 8, 32, 69, 65},   {4, 9, 30, 62, 58}, {-1, 4, 40, 139, 131},
  };
  for (const auto& [item, n, points, width, height] : cases) {
    if (item < 0) {
      form_->ComboBox1->SetText("九");
      Start();
    } else {
      Start(item);
    }
    EXPECT_EQ(Grid().ColCount(), n);
    EXPECT_EQ(Grid().RowCount(), n);
    EXPECT_EQ(Grid().Font().Size(), points);
    EXPECT_EQ(Grid().DefaultColWidth(), width);
    EXPECT_EQ(Grid().DefaultRowHeight(), height);
    EXPECT_EQ(Grid().Cells(n - 1, n - 1).empty(), false);
    // Every cell is fully visible, with no scroll bar.
    EXPECT_EQ(Grid().VisibleColCount(), n);
    EXPECT_EQ(Grid().VisibleRowCount(), n);
    EXPECT_FALSE(form_->CellGrid1->ScrollBarShown(TScrollBarKind::sbHorizontal));
    EXPECT_FALSE(form_->CellGrid1->ScrollBarShown(TScrollBarKind::sbVertical));
  }
}

TEST_F(FormMainTest, ACompleteRunClickedInOrderEndsWithTheGradedResult) {
  Start(0);
  EXPECT_TRUE(Running());
  EXPECT_TRUE(form_->Timer1->Enabled());
  for (std::int32_t number = 1; number <= 25; ++number) {
    ClickNumber(number);
    EXPECT_EQ(Progress(), std::to_string(number));
    if (number < 25) Tick(number == 1 ? 7 : 1);  // 7 + 23 more: 30 seconds in all
  }
  ASSERT_EQ(boxes_->shown.size(), 1u);
  EXPECT_EQ(boxes_->shown[0].kind, EKind::kInfo);
  EXPECT_EQ(boxes_->shown[0].owner, &App().ApplicationWindow());
  EXPECT_EQ(boxes_->shown[0].text,
            QStringLiteral("成功通过训练，你在30秒钟完成任务。本次成绩为：良好"));
  EXPECT_FALSE(Running());
  EXPECT_FALSE(form_->Timer1->Enabled());
  EXPECT_EQ(TimeText(), "00:00:00");
  EXPECT_EQ(Progress(), "25");
  EXPECT_EQ(Grid().Cells(0, 0), "1");  // the finished board stays
  EXPECT_TRUE(player_->played.empty());
}

TEST_F(FormMainTest, AWrongClickPlaysTheSoundBesideTheProgram) {
  Start(0);
  ClickNumber(2);
  const std::string expected =
      QFileInfo(QCoreApplication::applicationFilePath()).absolutePath().toStdString() + "/snd.wav";
  EXPECT_EQ(player_->played, (std::vector<std::string>{expected}));
  EXPECT_EQ(Progress(), "0");
}

TEST_F(FormMainTest, ClicksBeforeTheFirstStartDoNothing) {
  for (std::int32_t k = 0; k < 5; ++k) ClickCell(k, k);
  EXPECT_TRUE(player_->played.empty());
  EXPECT_TRUE(boxes_->shown.empty());
  EXPECT_EQ(Progress(), "0");
}

TEST_F(FormMainTest, TypingIntoTheChooserPicksTheTableSize) {
  // (typed text, text shown after inline completion, N)
  const std::vector<std::tuple<const char*, QString, int>> cases = {
      {"7", QStringLiteral("7×7"), 7},
      {"4", QStringLiteral("4"), 4},
  };
  for (const auto& [typed, shown, n] : cases) {
    form_->ComboBox1->setFocus();
    form_->ComboBox1->lineEdit()->selectAll();
    QTest::keyClicks(form_->ComboBox1->lineEdit(), typed);
    EXPECT_EQ(form_->ComboBox1->currentText(), shown);
    Start();
    EXPECT_EQ(Grid().ColCount(), n) << typed;
  }
}

TEST_F(FormMainTest, ResizingKeepsTheStripAndTheCellsUntilTheNextStart) {
  Start(0);
  form_->resize(700, 500);
  EXPECT_EQ(form_->Panel1->geometry(), QRect(0, 0, 700, 70));
  EXPECT_EQ(form_->CellGrid1->geometry(), QRect(0, 70, 700, 430));
  EXPECT_EQ(Grid().DefaultColWidth(), 111);
  EXPECT_EQ(Grid().DefaultRowHeight(), 104);
  Start(0);
  EXPECT_EQ(Grid().DefaultColWidth(), 138);
  EXPECT_EQ(Grid().DefaultRowHeight(), 84);
}

TEST_F(FormMainTest, TabMovesFromTheChooserToTheButtonToTheGrid) {
  EXPECT_EQ(QApplication::focusWidget(), form_->ComboBox1);
  for (QWidget* next : std::vector<QWidget*>{form_->Button1, form_->CellGrid1, form_->ComboBox1}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next);
  }
  EXPECT_EQ(form_->VosTimeBox1->focusPolicy() != Qt::NoFocus && form_->VosTimeBox1->isEnabled(),
            false);
}

}  // namespace
}  // namespace zelvorn
