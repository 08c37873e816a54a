#include "platform/qt/timer_source.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

namespace zelvorn {
namespace {

// The test main installs the Qt source, as the application does.
TEST(QtTimerTest, QtDeliversTicksThroughTheEventLoop) {
  TTimer timer;
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  timer.SetInterval(1);
  timer.SetEnabled(true);
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 5000));
  timer.SetEnabled(false);
  const int after_stop = ticks;
  QCoreApplication::processEvents();
  EXPECT_EQ(ticks, after_stop);
}

}  // namespace
}  // namespace zelvorn
