#include "platform/error_boundary.h"

#include <cstdio>
#include <deque>
#include <exception>
#include <utility>

namespace zelvorn {
namespace {

TErrorReporter& Reporter() {
  static TErrorReporter reporter;
  return reporter;
}

// Exceptions waiting for their report, and whether a report is under way: a second failure
// during a report is queued behind it instead of nesting a second box inside the first. Only the
// GUI thread reports, so no lock.
std::deque<std::exception_ptr>& Pending() {
  static std::deque<std::exception_ptr> pending;
  return pending;
}
bool reporting = false;

void WriteToStandardError(std::exception_ptr error) noexcept {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zelvorn: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "zelvorn: unknown exception\n");
  }
}

}  // namespace

TErrorReporter SetErrorReporter(TErrorReporter reporter) {
  std::swap(Reporter(), reporter);
  return reporter;
}

void ReportError(std::exception_ptr error) noexcept {
  if (!error) return;
  try {
    Pending().push_back(error);
  } catch (...) {
    WriteToStandardError(error);
    return;
  }
  if (reporting) return;
  reporting = true;
  while (!Pending().empty()) {
    const std::exception_ptr next = Pending().front();
    Pending().pop_front();
    try {
      // A copy: the reporter may replace itself while it runs (its owner going away, say).
      const TErrorReporter reporter = Reporter();
      if (reporter) {
        reporter(next);
      } else {
        WriteToStandardError(next);
      }
    } catch (...) {
      // The report itself failed; showing that through the same report could fail forever.
      WriteToStandardError(std::current_exception());
    }
  }
  reporting = false;
}

}  // namespace zelvorn
