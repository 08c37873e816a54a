#pragma once

#include <exception>
#include <memory>
#include <string>

#include "app/application_core.h"
#include "platform/timer.h"
#include "platform/win32/timer_source.h"
#include "platform/win32/wave_player.h"
#include "platform/win32/window.h"
#include "platform/win32/windows_api.h"
#include "training/ports.h"

namespace zelvorn {

// The one application object of the process on Windows: TApplicationCore (the title, the
// forms, the failure report, the exit code) with the hidden application window (class
// "TApplication") that owns the message boxes, OLE and COM for the thread, the clipboard format
// of the grid and the message loop. The constructor raises what fails (a window class Windows
// refuses, OleInitialize failing); RunProgram reports it for wWinMain.
class TApplication final : public TWindow,
                           public IApplicationHost,
                           public IInfoBox,
                           public ISoundPlayer {
 public:
  static constexpr wchar_t kClassName[] = L"TApplication";

  explicit TApplication(HINSTANCE instance);

  // Creates a form owned by this application: TForm(TApplication&). The first one created is the
  // main form, which Run shows and whose closing ends the program.
  template <class TForm>
  void CreateForm() {
    core_.CreateForm<TForm>();
  }

  // Puts the main form on the screen as `show_command` asks, then dispatches messages until that
  // form is closed, and shuts down.
  void Run(int show_command);
  // 0 after a normal end, 1 after a start-up failure.
  int ExitCode() const { return core_.ExitCode(); }

  HINSTANCE Instance() const { return instance_; }
  // The wrong-click sound's path, beside the program.
  std::string SoundPath() const { return core_.SoundPath(); }
  TWindow* MainForm() const { return core_.MainForm(); }

  // The main form calls this when it is closed: the loop ends.
  void MainFormClosed();

  // The information box "提示", owned by the application window so that the main form keeps
  // working while it is up. Returns once it has been dismissed.
  void ShowInfoMessage(const std::string& text) override;

  // Plays a WAV file without waiting for it; a missing or unplayable file gives the default
  // sound.
  void PlayAsync(const std::string& path) override { wave_player_.PlayAsync(path); }

  // The start-up failure report, for a failure before there is an application.
  static void ReportStartupFailure(std::exception_ptr error, const void* address);

 private:
  int RunMessageLoop();
  void CancelMouseCapture() override;
  void ShowErrorBox(const std::string& text) override;
  void ShowApplicationError(const std::string& text) override;

  HINSTANCE instance_;
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
  // Last, so that the forms and the report go first.
  TApplicationCore<TApplication, TWindow> core_;
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
    return kStartupFailureExitCode;
  }
}

}  // namespace zelvorn
