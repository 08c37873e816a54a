#include "app/qt/application.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

#include "app/application_texts.h"
#include "platform/error_boundary.h"
#include "platform/exceptions.h"
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
  std::_Exit(TApplication::kStartupFailureExitCode);
}

// Runs before QApplication's constructor, which is where Qt connects to the window system.
int& GuardStartUp(int& argc) {
  handler_before_start_up = qInstallMessageHandler(StartUpMessageHandler);
  return argc;
}

void EndStartUpGuard() { qInstallMessageHandler(handler_before_start_up); }

std::string ModuleName() {
  return QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString();
}

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

TApplication::TApplication(int& argc, char** argv)
    : QApplication(GuardStartUp(argc), argv),
      title_(QString::fromStdString(
          ApplicationTitle(applicationFilePath().toStdString(), &LowerCase))),
      icon_(ProgramIcon()),
      boxes_(std::make_unique<TQtMessageBoxes>()),
      wave_player_(std::make_unique<TDeferredWavePlayer>(applicationDirPath() +
                                                         QStringLiteral("/zelvorn_wave"))),
      application_window_(std::make_unique<QWidget>()) {
  EndStartUpGuard();
  // Only closing the main form ends the program; the boxes and the hidden window do not count.
  setQuitOnLastWindowClosed(false);
  setWindowIcon(icon_);
  InstallFontSubstitutions();
  application_window_->setWindowTitle(title_);
  application_window_->setWindowIcon(icon_);
  CentreApplicationWindowOn(nullptr);
  previous_reporter_ =
      SetErrorReporter([this](std::exception_ptr error) { HandleException(error); });
}

// The forms go while the report is still ours; after that, nothing may reach an application
// that is being destroyed.
TApplication::~TApplication() {
  ShutDown();
  SetErrorReporter(std::move(previous_reporter_));
}

void TApplication::AddForm(TFormFactory factory) {
  if (startup_failed_) return;
  try {
    forms_.push_back(factory(*this));
  } catch (...) {
    startup_failed_ = true;
    // Where a C++ exception was thrown is not known once it is caught; the code that was
    // creating the form is the closest address there is.
    ReportStartupFailure(std::current_exception(), reinterpret_cast<const void*>(factory));
  }
}

void TApplication::Run() {
  if (startup_failed_ || MainForm() == nullptr) {
    exit_code_ = startup_failed_ ? kStartupFailureExitCode : 0;
    return;
  }
  MainForm()->show();
  exit_code_ = exec();
  ShutDown();
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

void TApplication::HandleException(std::exception_ptr error) {
  CancelMouseCapture();
  const TFailure failure = DescribeFailure(error);
  if (failure.is_exception) {
    ShowException(failure.message);
    return;
  }
  // The address where something was thrown is not known here.
  boxes_->ShowApplicationError(QString::fromStdString(
      RuntimeErrorText(failure.class_name, ModuleName(), nullptr, failure.message)));
}

void TApplication::ReportStartupFailure(std::exception_ptr error, const void* address) {
  const TFailure failure = DescribeFailure(error);
  boxes_->ShowApplicationError(QString::fromStdString(
      RuntimeErrorText(failure.class_name, ModuleName(), address, failure.message)));
}

// The box disables every other window while it is up, which moves the activation and the focus;
// the person should find them where they were once the box is gone.
void TApplication::ShowException(const std::string& message) {
  const QPointer<QWidget> active = activeWindow();
  const QPointer<QWidget> focus = focusWidget();
  CentreApplicationWindowOn(active);
  boxes_->ShowError(*application_window_, title_, QString::fromStdString(ErrorBoxText(message)));
  if (active) active->activateWindow();
  if (focus) focus->setFocus(Qt::OtherFocusReason);
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

// Boxes still up are hidden first, so no window of the program outlives the forms on screen;
// the forms go in the reverse order of their creation, each with all its controls and timers.
void TApplication::ShutDown() {
  const auto owned = application_window_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (QWidget* window : owned) {
    if (window->isWindow()) window->hide();
  }
  while (!forms_.empty()) forms_.pop_back();
}

}  // namespace zelvorn
