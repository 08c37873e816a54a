// Runs the application's tests on a TApplication, the one application object of the process,
// so that events reach its notify() as they do in the program. The offscreen platform is the
// default, so the tests need no display even when started by hand.
#include <gtest/gtest.h>

#include "app/qt/application.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  zelvorn::TApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
