#include "app/qt/application.h"

#include <QImageReader>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

#include "platform/error_boundary.h"
#include "platform/qt/cancel_mode.h"
#include "platform/qt/deferred_wave_player.h"
#include "platform/qt/font.h"

namespace zelvorn {
namespace {

QtMessageHandler handler_before_start_up = nullptr;

// Qt ends the process with abort() when it cannot reach the window system. Someone who started
// the program from a terminal should read why instead, and a script should see a plain failure.
void StartUpMessageHandler(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
  if (type != QtFatalMsg) {
    handler_before_start_up(type, context, message);
    return;
  }
  std::fprintf(stderr,
               "Zelvorn 无法启动：连接不到窗口系统（没有显示器？）。\n"
               "Zelvorn cannot start: it cannot reach a window system (is DISPLAY set?).\n"
               "Qt: %s\n",
               message.section(u'\n', 0, 0).toLocal8Bit().constData());
  std::fflush(stderr);
  // Nothing of the program exists yet that would need finalising, and returning would abort.
  std::_Exit(kStartupFailureExitCode);
}

// Runs before QApplication's constructor, which is where Qt connects to the window system.
int& GuardStartUp(int& argc) {
  handler_before_start_up = qInstallMessageHandler(StartUpMessageHandler);
  return argc;
}

void EndStartUpGuard() { qInstallMessageHandler(handler_before_start_up); }

std::string LowerCase(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
      .toLower()
      .toStdString();
}

// Read as the PNG it is: left to guess, Qt would load every image-format plugin it has (and the
// libraries behind them) to ask each whether the file is theirs, before the window can open.
QIcon ProgramIcon() {
  QImageReader reader(QStringLiteral(":/zelvorn/zelvorn.png"), "png");
  reader.setAutoDetectImageFormat(false);
  return QIcon(QPixmap::fromImage(reader.read()));
}

}  // namespace

// Qt's paths separate folders with "/" alone, on every system.
TApplication::TApplication(int& argc, char** argv)
    : QApplication(GuardStartUp(argc), argv),
      icon_(ProgramIcon()),
      boxes_(std::make_unique<TQtMessageBoxes>()),
      wave_player_(std::make_unique<TDeferredWavePlayer>(applicationDirPath() +
                                                         QStringLiteral("/zelvorn_wave"))),
      application_window_(std::make_unique<QWidget>()),
      core_(*this, *this, applicationFilePath().toStdString(), "/", &LowerCase) {
  EndStartUpGuard();
  // Only closing the main form ends the program; the boxes and the hidden window do not count.
  setQuitOnLastWindowClosed(false);
  setWindowIcon(icon_);
  InstallFontSubstitutions();
  application_window_->setWindowTitle(Title());
  application_window_->setWindowIcon(icon_);
  CentreApplicationWindowOn(nullptr);
}

// No box may outlive the forms on screen; the core then takes the forms and the report with it.
TApplication::~TApplication() { HideBoxes(); }

void TApplication::Run() {
  if (!core_.ReadyToRun()) return;
  MainForm()->show();
  const int exit_code = exec();
  HideBoxes();
  core_.Finish(exit_code);
}

void TApplication::ShowInfoMessage(const std::string& text) {
  boxes_->ShowInfo(*application_window_, QString::fromStdString(text));
}

std::unique_ptr<IMessageBoxes> TApplication::SetMessageBoxes(std::unique_ptr<IMessageBoxes> boxes) {
  boxes_.swap(boxes);
  return boxes;
}

std::unique_ptr<IWavePlayer> TApplication::SetWavePlayer(std::unique_ptr<IWavePlayer> player) {
  wave_player_.swap(player);
  return player;
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    const bool handled = QApplication::notify(receiver, event);
    // The main form's close event is where the program decides to end; any other window may
    // close without consequence.
    if (event->type() == QEvent::Close && event->isAccepted() && receiver == MainForm()) {
      QCoreApplication::exit(0);
    }
    return handled;
  } catch (...) {
    // Only what one of our handlers failed to catch where Qt called it gets here.
    ReportError(std::current_exception());
    return false;
  }
}

// The box disables every other window while it is up, which moves the activation and the focus;
// the person should find them where they were once the box is gone.
void TApplication::ShowErrorBox(const std::string& text) {
  const QPointer<QWidget> active = activeWindow();
  const QPointer<QWidget> focus = focusWidget();
  CentreApplicationWindowOn(active);
  boxes_->ShowError(*application_window_, Title(), QString::fromStdString(text));
  if (active) active->activateWindow();
  if (focus) focus->setFocus(Qt::OtherFocusReason);
}

void TApplication::ShowApplicationError(const std::string& text) {
  boxes_->ShowApplicationError(QString::fromStdString(text));
}

// A handler that failed in the middle of a drag or a selection leaves its widget holding the
// mouse; the widget ends that mode itself, and the capture goes whatever it does.
void TApplication::CancelMouseCapture() {
  QWidget* holder = QWidget::mouseGrabber();
  if (holder == nullptr) return;
  QEvent cancel(CancelModeEventType());
  sendEvent(holder, &cancel);
  if (QWidget::mouseGrabber() == holder) holder->releaseMouse();
}

// Boxes open centred over their owner: keep the zero-sized application window at the centre of
// the screen the person is working on.
void TApplication::CentreApplicationWindowOn(const QWidget* window) {
  const QScreen* screen = window != nullptr ? window->screen() : primaryScreen();
  if (screen == nullptr) return;
  application_window_->setGeometry(QRect(screen->geometry().center(), QSize(0, 0)));
}

void TApplication::HideBoxes() {
  const auto owned = application_window_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (QWidget* window : owned) {
    if (window->isWindow()) window->hide();
  }
}

}  // namespace zelvorn
