#pragma once

#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/application_texts.h"
#include "platform/error_boundary.h"
#include "training/training_controller.h"

namespace zelvorn {

// The program's exit code after a failure while it started.
inline constexpr int kStartupFailureExitCode = 1;

// What a host's application does in its platform's own way for TApplicationCore.
class IApplicationHost {
 public:
  // Ends the mouse operation a failed handler may have left under way, and frees the mouse.
  virtual void CancelMouseCapture() = 0;
  // An exception's report: `text` in an error box captioned with the title, with every other
  // window of the program held still until it is dismissed.
  virtual void ShowErrorBox(const std::string& text) = 0;
  // The runtime's own report: `text` in the "应用程序错误" box, with no owner.
  virtual void ShowApplicationError(const std::string& text) = 0;

 protected:
  ~IApplicationHost() = default;
};

// The report of what no handler caught, installed as the error reporter while it lives
// (platform/error_boundary.h); the reporter before it is back afterwards.
class TFailureReport {
 public:
  TFailureReport(IApplicationHost& host, std::string module_name);
  ~TFailureReport();
  TFailureReport(const TFailureReport&) = delete;
  TFailureReport& operator=(const TFailureReport&) = delete;

  // Something thrown that is no exception is the runtime's report, with no address known.
  void Report(std::exception_ptr error);
  // A failure while the program starts, of the code near `address`: the runtime's report.
  void ReportStartupFailure(std::exception_ptr error, const void* address);

 private:
  IApplicationHost& host_;
  std::string module_name_;
  TErrorReporter previous_;
};

// What the runtime's report says of `error`, thrown near `address` (nullptr: not known) in the
// program called `module_name`.
std::string UnhandledFailureText(std::exception_ptr error, std::string_view module_name,
                                 const void* address);

// The executable's file name: what follows the last of `folder_separators` in its path.
std::string ModuleName(std::string_view executable_path, std::string_view folder_separators);

// The application's part that is the same on every host: its title, the failure report, the
// forms it owns and the exit code. TOwner is the host's application, each form is made as
// TForm(TOwner&), and TFormBase is the host's window class. The first form created is the main
// form; the forms go in the reverse order of their creation, while the report is still in
// place.
template <class TOwner, class TFormBase>
class TApplicationCore {
 public:
  // `folder_separators` are the characters that end a folder in the platform's paths.
  TApplicationCore(TOwner& owner, IApplicationHost& host, std::string executable_path,
                   std::string_view folder_separators, TLowerCase lower)
      : owner_(owner),
        executable_path_(std::move(executable_path)),
        folder_separators_(folder_separators),
        title_(ApplicationTitle(executable_path_, lower)),
        report_(host, ModuleName(executable_path_, folder_separators_)) {}

  // Derived from the executable's file name (ApplicationTitle); the caption of the error box.
  const std::string& Title() const { return title_; }
  // The wrong-click sound's path, beside the program.
  std::string SoundPath() const { return SoundFilePath(executable_path_, folder_separators_); }

  // A failure to create the form is the start-up failure: it is reported, no form is created
  // after it and the program does not run.
  template <class TForm>
  void CreateForm() {
    if (startup_failed_) return;
    try {
      forms_.push_back(MakeForm<TForm>(owner_));
    } catch (...) {
      startup_failed_ = true;
      // Where a C++ exception was thrown is not known once it is caught; the code that was
      // creating the form is the closest address there is.
      report_.ReportStartupFailure(std::current_exception(),
                                   reinterpret_cast<const void*>(&MakeForm<TForm>));
    }
  }
  TFormBase* MainForm() const { return forms_.empty() ? nullptr : forms_.front().get(); }

  // Whether there is a main form to run; when not, the exit code is final: 1 after a start-up
  // failure, else 0.
  bool ReadyToRun() {
    exit_code_ = startup_failed_ ? kStartupFailureExitCode : 0;
    return !startup_failed_ && MainForm() != nullptr;
  }
  // The loop has ended with `exit_code`: the forms go.
  void Finish(int exit_code) {
    exit_code_ = exit_code;
    ShutDown();
  }
  // 0 after a normal end, 1 after a start-up failure.
  int ExitCode() const { return exit_code_; }

  // A vector would destroy its forms first to last.
  ~TApplicationCore() { ShutDown(); }
  TApplicationCore(const TApplicationCore&) = delete;
  TApplicationCore& operator=(const TApplicationCore&) = delete;

 private:
  void ShutDown() {
    while (!forms_.empty()) forms_.pop_back();
  }

  template <class TForm>
  static std::unique_ptr<TFormBase> MakeForm(TOwner& owner) {
    return std::make_unique<TForm>(owner);
  }

  TOwner& owner_;
  std::string executable_path_;
  std::string folder_separators_;
  std::string title_;
  TFailureReport report_;
  std::vector<std::unique_ptr<TFormBase>> forms_;  // the main form first
  bool startup_failed_ = false;
  int exit_code_ = 0;
};

}  // namespace zelvorn
