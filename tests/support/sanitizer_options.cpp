// Read by AddressSanitizer and LeakSanitizer at start-up, in sanitizer builds only; linked into
// every test executable that runs Qt.
//
// Qt's widget library is built without exception cleanups: when an exception escapes a mouse
// handler, the copy of the mouse event that QApplication::notify made for the widget is never
// destroyed, since the exception passes through that frame before our notify() catches it.
// Matching those frames needs the full stack, as Qt keeps no frame pointers. The last two are
// allocations that system libraries keep for the life of the process.
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }
extern "C" const char* __lsan_default_suppressions() {
  return "leak:QSinglePointEvent::QSinglePointEvent\n"
         "leak:QMutableEventPoint::detach\n"
         "leak:libfontconfig\n"
         "leak:libdbus\n";
}
