#include "controls/timebox/qt/vos_time_box.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFocusEvent>
#include <QImage>
#include <QTest>
#include <array>
#include <cstdint>

#include "platform/timer.h"
#include "tests/support/fake_timer_source.h"

namespace zelvorn {
namespace {

using testing::TFakeTimerSource;

class TimeBoxTest : public ::testing::Test {
 protected:
  TFakeTimerSource source_;
  TScopedTimerSource scope_{source_};
  TVosTimeBox box_;
};

TEST_F(TimeBoxTest, ANewBoxShowsZeroInWhiteHeiTiOnBlackReadOnlyAndDisabled) {
  EXPECT_EQ(box_.Text(), "00:00:00");
  EXPECT_EQ(box_.Look().Color, clBlack);
  EXPECT_EQ(box_.Look().Font.Name, "黑体");
  EXPECT_EQ(box_.Look().Font.Size(), 12);
  EXPECT_EQ(box_.Look().Font.Height, -16);
  EXPECT_EQ(box_.Look().Font.Color, clWhite);
  EXPECT_EQ(box_.font().pixelSize(), 16);
  EXPECT_TRUE(box_.isReadOnly());
  EXPECT_FALSE(box_.isEnabled());
  EXPECT_FALSE(box_.Look().AutoSelect);
  const TTimeBoxClock& clock = box_.Clock();
  EXPECT_FALSE(clock.NowBegin());
  EXPECT_FALSE(clock.NowPause());
  EXPECT_EQ(clock.NowTime(), 0.0);
  const std::array<std::int32_t, 4> counts{clock.hour(), clock.minute(), clock.second(),
                                           clock.ClockSeconds()};
  EXPECT_EQ(counts, (std::array<std::int32_t, 4>{0, 0, 0, 0}));
  EXPECT_FALSE(clock.Timer().Enabled());
  // The clock writes the box's text.
  box_.Clock().SetNowBegin(true);
  box_.Clock().ClockTick();
  EXPECT_EQ(box_.Text(), "00:00:01");
}

// Qt greys a disabled edit by default; this one must still show white on black.
TEST_F(TimeBoxTest, TheDisabledBoxPaintsWhiteDigitsOnBlack) {
  box_.resize(140, 37);
  const QImage image = box_.grab().toImage();
  const QRect inside = QRect(QPoint(0, 0), image.size()).adjusted(4, 4, -4, -4);
  int black = 0;
  int white = 0;
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (pixel == qRgb(0, 0, 0)) ++black;
      if (pixel == qRgb(255, 255, 255)) ++white;
    }
  }
  EXPECT_GT(black, inside.width() * inside.height() / 2);
  EXPECT_GT(white, 20);  // the digits' solid ink
}

TEST_F(TimeBoxTest, TheBoxCanNeitherTakeTheFocusNorBeTypedInto) {
  QWidget window;
  box_.setParent(&window);
  window.show();
  window.activateWindow();
  box_.setFocus();
  EXPECT_FALSE(box_.hasFocus());
  QTest::keyClicks(&box_, "12");
  EXPECT_EQ(box_.Text(), "00:00:00");
  box_.setParent(nullptr);
}

TEST_F(TimeBoxTest, AutoSelectDecidesWhetherKeyboardEntrySelectsTheText) {
  TTimeBoxLook look = DefaultTimeBoxLook();
  look.Enabled = true;
  for (const bool auto_select : {false, true}) {
    look.AutoSelect = auto_select;
    box_.SetLook(look);
    box_.deselect();
    QFocusEvent focus_in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(&box_, &focus_in);
    EXPECT_EQ(box_.selectedText(), auto_select ? QStringLiteral("00:00:00") : QString())
        << auto_select;
  }
}

}  // namespace
}  // namespace zelvorn
