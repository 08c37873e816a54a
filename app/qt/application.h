#pragma once

#include <QApplication>
#include <QIcon>
#include <QString>
#include <memory>
#include <string>

#include "app/application_core.h"
#include "app/qt/message_boxes.h"
#include "platform/qt/timer_source.h"
#include "platform/qt/wave_player.h"
#include "training/ports.h"

namespace zelvorn {

// The one application object of the process on Qt: TApplicationCore (the title, the forms, the
// failure report, the exit code) over Qt's application, with the icon, the hidden application
// window that owns the message boxes, and the event loop.
//
// Constructing it connects to the window system. When that fails (no display, no usable platform
// plugin), the process ends at once with a clear message on standard error and exit code 1.
// notify() catches what a handler let through, as a last net, and reports it. Closing the main
// form ends the loop; Run then hides the boxes still up and the forms go.
class TApplication : public QApplication,
                     public IApplicationHost,
                     public IInfoBox,
                     public ISoundPlayer {
 public:
  TApplication(int& argc, char** argv);
  ~TApplication() override;
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // Creates a form owned by this application: TForm(TApplication&). The first one created is the
  // main form, which Run shows and whose closing ends the program.
  template <class TForm>
  void CreateForm() {
    core_.CreateForm<TForm>();
  }

  // Shows the main form and runs the event loop until the main form is closed, then shuts down.
  void Run();
  // 0 after a normal end, 1 after a start-up failure.
  int ExitCode() const { return core_.ExitCode(); }

  // Derived from the executable's file name (ApplicationTitle); the caption of the error box.
  QString Title() const { return QString::fromStdString(core_.Title()); }
  // The wrong-click sound's path, beside the program.
  std::string SoundPath() const { return core_.SoundPath(); }
  // Never shown; it carries the title and the icon and owns the message boxes.
  QWidget& ApplicationWindow() { return *application_window_; }
  QWidget* MainForm() const { return core_.MainForm(); }

  // The information box "提示" (IMessageBoxes::ShowInfo), owned by the application window so that
  // the main form keeps working while it is up. Returns once it has been dismissed.
  void ShowInfoMessage(const std::string& text) override;

  // Plays a WAV file without waiting for it; a missing or unplayable file gives the default
  // sound.
  void PlayAsync(const std::string& path) override { wave_player_->PlayAsync(path); }
  // Loads what playing the file needs, so that its first playing is not delayed.
  void PrepareSound(const std::string& path) { wave_player_->Preload(path); }
  // Replaces the sound player, for tests; returns the one used so far.
  std::unique_ptr<IWavePlayer> SetWavePlayer(std::unique_ptr<IWavePlayer> player);

  // Replaces the message boxes, for tests; returns the ones used so far.
  std::unique_ptr<IMessageBoxes> SetMessageBoxes(std::unique_ptr<IMessageBoxes> boxes);

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  // The report's platform calls: the window holding the mouse capture is told to cancel its
  // mode and loses the capture; the error box leaves the window that was active active again
  // and the focus where it was.
  void CancelMouseCapture() override;
  void ShowErrorBox(const std::string& text) override;
  void ShowApplicationError(const std::string& text) override;
  void CentreApplicationWindowOn(const QWidget* window);
  void HideBoxes();

  // Every timer of the program ticks on Qt's loop.
  TQtTimerSource timer_source_;
  TScopedTimerSource timer_scope_{timer_source_};
  QIcon icon_;
  std::unique_ptr<IMessageBoxes> boxes_;
  std::unique_ptr<IWavePlayer> wave_player_;
  std::unique_ptr<QWidget> application_window_;
  // Last, so that the forms and the report go first.
  TApplicationCore<TApplication, QWidget> core_;
};

}  // namespace zelvorn
