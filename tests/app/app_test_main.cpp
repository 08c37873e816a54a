// Runs the application's tests on a TApplication, the one application object of the process,
// so that events reach its notify() as they do in the program. The offscreen platform is the
// default, so the tests need no display even when started by hand.
#include <gtest/gtest.h>

#include "app/application.h"

// Read by AddressSanitizer and LeakSanitizer at start-up, in sanitizer builds only.
//
// Qt's widget library is built without exception cleanups: when an exception escapes a mouse
// handler, the copy of the mouse event that QApplication::notify made for the widget is never
// destroyed, since the exception passes through that frame before TApplication::notify catches
// it. Matching those frames needs the full stack, as Qt keeps no frame pointers. The last two
// are allocations that system libraries keep for the life of the process.
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }
extern "C" const char* __lsan_default_suppressions() {
  return "leak:QSinglePointEvent::QSinglePointEvent\n"
         "leak:QMutableEventPoint::detach\n"
         "leak:libfontconfig\n"
         "leak:libdbus\n";
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  zelvorn::TApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
