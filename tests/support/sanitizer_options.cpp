// Read by AddressSanitizer and LeakSanitizer at start-up, in sanitizer builds only; linked into
// every test executable that runs Qt.
//
// Matching Qt's frames needs the full stack, as Qt keeps no frame pointers. The suppressed
// allocations are ones that system libraries keep for the life of the process.
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\n"
         "leak:libdbus\n";
}
