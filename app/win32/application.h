#pragma once

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "platform/error_boundary.h"
#include "platform/timer.h"
#include "platform/win32/timer_source.h"
#include "platform/win32/wave_player.h"
#include "platform/win32/window.h"
#include "platform/win32/windows_api.h"
#include "training/ports.h"

namespace zelvorn {

// The one application object of the process on Windows: its title and icon, the hidden
// application window (class "TApplication") that owns the message boxes, OLE and COM for the
// thread, the clipboard format of the grid, the forms, the message loop with the report of
// exceptions that no handler caught, and the shutdown.
//
// Start-up: the constructor raises what fails (a window class Windows refuses, OleInitialize
// failing); CreateForm reports a failure to create a form in the "应用程序错误" box, after which
// Run ends at once with exit code 1. RunProgram does all of it for wWinMain.
//
// Running: while it lives, this object is the error reporter (platform/error_boundary.h): the
// window holding the mouse capture gets WM_CANCELMODE, then the exception is shown in an error
// box owned by the application window and captioned with the title, every other window of the
// program disabled meanwhile; the loop goes on with whatever state the handler left. Closing the
// main form ends the loop; Run then destroys the forms (the main form last) and sets exit code 0.
class TApplication final : public TWindow, public IInfoBox, public ISoundPlayer {
 public:
  static constexpr wchar_t kClassName[] = L"TApplication";
  static constexpr int kStartupFailureExitCode = 1;

  explicit TApplication(HINSTANCE instance);
  ~TApplication() override;

  // Creates a form owned by this application: TForm(TApplication&). The first one created is the
  // main form, which Run shows and whose closing ends the program.
  template <class TForm>
  void CreateForm() {
    AddForm(&MakeForm<TForm>);
  }

  // Puts the main form on the screen as `show_command` asks, then dispatches messages until that
  // form is closed, and shuts down.
  void Run(int show_command);
  // 0 after a normal end, 1 after a start-up failure.
  int ExitCode() const { return exit_code_; }

  HINSTANCE Instance() const { return instance_; }
  // Derived from the executable's file name (ApplicationTitle); the caption of the error box.
  const std::wstring& Title() const { return title_; }
  // The running program's full path, UTF-8.
  const std::string& ExecutablePath() const { return executable_path_; }
  // The clipboard format "TCellGrid Cells", registered at start-up.
  UINT CellsClipboardFormat() const { return cells_clipboard_format_; }
  TWindow* MainForm() const { return forms_.empty() ? nullptr : forms_.front().get(); }

  // The main form calls this when it is closed: the loop ends.
  void MainFormClosed();

  // The information box "提示", owned by the application window so that the main form keeps
  // working while it is up. Returns once it has been dismissed.
  void ShowInfoMessage(const std::string& text) override;

  // Plays a WAV file without waiting for it; a missing or unplayable file gives the default
  // sound.
  void PlayAsync(const std::string& path) override { wave_player_.PlayAsync(path); }

  // The start-up failure report: the "应用程序错误" box with no owner, task-modal.
  static void ReportStartupFailure(std::exception_ptr error, const void* address);

 private:
  using TFormFactory = std::unique_ptr<TWindow> (*)(TApplication&);

  template <class TForm>
  static std::unique_ptr<TWindow> MakeForm(TApplication& application) {
    return std::make_unique<TForm>(application);
  }

  void AddForm(TFormFactory factory);
  void RunMessageLoop();
  void HandleException(std::exception_ptr error);
  void ShowException(const std::string& message);
  void ShutDown();

  HINSTANCE instance_;
  std::string executable_path_;
  std::wstring title_;
  // Every timer of the program ticks on the thread's message loop.
  TWin32TimerSource timer_source_;
  TScopedTimerSource timer_scope_{timer_source_};
  TWin32WavePlayer wave_player_;
  // OLE and COM for the thread, each ended at shutdown only if it began.
  class TOleScope {
   public:
    TOleScope();
    ~TOleScope();
    TOleScope(const TOleScope&) = delete;
    TOleScope& operator=(const TOleScope&) = delete;

   private:
    bool ole_initialized_ = false;
    bool com_initialized_ = false;
  };
  std::unique_ptr<TOleScope> ole_;
  UINT cells_clipboard_format_ = 0;
  std::vector<std::unique_ptr<TWindow>> forms_;  // the main form first
  TErrorReporter previous_reporter_;
  bool startup_failed_ = false;
  int exit_code_ = 0;
};

// The whole program for wWinMain: the application, the main form of type TForm, the loop and the
// exit code; a failure before the loop runs is reported in the "应用程序错误" box and gives 1.
template <class TForm>
int RunProgram(HINSTANCE instance, int show_command) {
  try {
    TApplication application(instance);
    application.CreateForm<TForm>();
    application.Run(show_command);
    return application.ExitCode();
  } catch (...) {
    // Where a C++ exception was thrown is not known once it is caught; the code that was
    // starting the program is the closest address there is.
    TApplication::ReportStartupFailure(std::current_exception(),
                                       reinterpret_cast<const void*>(&RunProgram<TForm>));
    return TApplication::kStartupFailureExitCode;
  }
}

}  // namespace zelvorn
