#pragma once

#include <exception>
#include <functional>
#include <utility>

namespace zelvorn {

// Where an exception goes when it reaches a place where the platform called our code. Neither
// Qt's frames nor Windows' are built to be unwound through, so every event override, window
// procedure, signal connection and timer callback of ours catches there and hands the exception
// on; nothing may leave it.
using TErrorReporter = std::function<void(std::exception_ptr)>;

// Installs the reporter (the application installs its error report); an empty one uninstalls
// it. Returns the reporter used so far, so that tests can put it back.
TErrorReporter SetErrorReporter(TErrorReporter reporter);

// Hands an exception to the installed reporter. An exception raised while one is being reported
// (a handler run during the report's cancel-mode, say) is reported in its turn, once the first
// report is done; with no reporter installed, the exception is written to standard error.
// Never throws.
void ReportError(std::exception_ptr error) noexcept;

// Runs `action` where the platform called our code: whatever it throws is reported, and the
// call returns.
template <class TAction>
void Guarded(TAction&& action) noexcept {
  try {
    std::forward<TAction>(action)();
  } catch (...) {
    ReportError(std::current_exception());
  }
}

}  // namespace zelvorn
