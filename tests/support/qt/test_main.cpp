// Runs GoogleTest cases on a QApplication. The offscreen platform is the default, so the tests
// need no display even when started by hand.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/qt/timer_source.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // Timers tick on Qt's loop, as they do in the program.
  zelvorn::TQtTimerSource timers;
  zelvorn::TScopedTimerSource timer_scope(timers);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
