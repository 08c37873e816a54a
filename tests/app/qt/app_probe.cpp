// The program's start, loop and end with a scripted person, for the exit-code tests:
//   app_probe close          the main window is closed right after it shows
//   app_probe close-running  it is closed while timers run and the information box is up
//   app_probe fail-in-form   creating the main window fails
//   app_probe window FILE    开始训练 is pressed and the window, with its first board, is saved
//                            as an image
// Boxes are not shown: what they would show is printed on standard output, and for the
// application error box also where in memory the address it names lies.
#include <QRegularExpression>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "app/qt/application.h"
#include "app/qt/form_controls.h"
#include "app/qt/form_main.h"
#include "controls/timebox/qt/vos_time_box.h"
#include "platform/exceptions.h"
#include "platform/timer.h"
#include "tests/app/qt/recording_boxes.h"

namespace zelvorn {
namespace {

// The file whose executable code holds `address`, from the process's memory map; "" when it is
// not code (the stack, the heap, data, or nothing mapped).
std::string CodeFileOf(std::uintptr_t address) {
  std::ifstream maps("/proc/self/maps");
  std::string line;
  while (std::getline(maps, line)) {
    std::istringstream fields(line);
    std::uintptr_t begin = 0, end = 0;
    char dash = 0;
    std::string permissions, offset, device, inode, path;
    fields >> std::hex >> begin >> dash >> end >> permissions >> offset >> device >> inode >> path;
    if (address < begin || address >= end) continue;
    if (permissions.size() < 3 || permissions[2] != 'x') return "";
    return path.substr(path.rfind('/') + 1);
  }
  return "";
}

// Prints each box instead of showing it; the information box waits, as the real one does, until
// the loop ends.
class TPrintingBoxes final : public IMessageBoxes {
 public:
  void ShowInfo(QWidget&, const QString& text) override {
    std::printf("info|%s\n", text.toUtf8().constData());
    std::fflush(stdout);
    QEventLoop loop;
    loop.exec();
    std::printf("info box returned\n");
  }
  void ShowError(QWidget&, const QString& caption, const QString& text) override {
    std::printf("error|%s|%s\n", caption.toUtf8().constData(), text.toUtf8().constData());
  }
  void ShowApplicationError(const QString& text) override {
    std::printf("application-error|%s\n", text.toUtf8().constData());
    const QRegularExpressionMatch address =
        QRegularExpression(QStringLiteral(" 中的 ([0-9A-F]+) 位置")).match(text);
    const std::string file = CodeFileOf(address.captured(1).toULongLong(nullptr, 16));
    std::printf("address: %s\n", file.empty() ? "not code" : ("code of " + file).c_str());
  }
};

// The main window in the middle of a run: the time box's clock and a one-second-style timer
// both running, ticking fast.
class TRunningForm : public TForm_main {
 public:
  explicit TRunningForm(TApplication& owner) : TForm_main(owner), time_box_(this) {
    time_box_.Clock().SetNowBegin(true);
    timer_.OnTimer = [this] { time_box_.SetText(std::to_string(++ticks_)); };
    timer_.SetInterval(1);
    timer_.SetEnabled(true);
  }
  ~TRunningForm() override {
    std::printf("destroyed after %s ticks\n", ticks_ > 0 ? "some" : "no");
  }

 private:
  TVosTimeBox time_box_;
  TTimer timer_;
  int ticks_ = 0;
};

class TFailingForm : public TForm_main {
 public:
  explicit TFailingForm(TApplication& owner) : TForm_main(owner) {
    throw EAssertionFailed("OleInitialize failed ($80004005) (CellGrid, 行 38167)");
  }
};

}  // namespace
}  // namespace zelvorn

int main(int argc, char** argv) {
  using namespace zelvorn;
  const std::string mode = argc > 1 ? argv[1] : "";
  TApplication application(argc, argv);
  application.SetMessageBoxes(std::make_unique<TPrintingBoxes>());
  if (mode == "close") {
    application.CreateForm<TForm_main>();
    QTimer::singleShot(0, [&] { application.MainForm()->close(); });
  } else if (mode == "close-running") {
    application.CreateForm<TRunningForm>();
    QTimer::singleShot(0, [&] { application.ShowInfoMessage("提示中"); });
    QTimer::singleShot(50, [&] { application.MainForm()->close(); });
  } else if (mode == "fail-in-form") {
    application.CreateForm<TFailingForm>();
    application.CreateForm<TForm_main>();  // never gets this far
  } else if (mode == "window" && argc > 2) {
    application.CreateForm<TForm_main>();
    const QString path = QString::fromLocal8Bit(argv[2]);
    QTimer::singleShot(0, [&application, path] {
      auto& form = static_cast<TForm_main&>(*application.MainForm());
      form.Button1->click();
      if (!form.grab().save(path)) std::printf("cannot save %s\n", path.toLocal8Bit().constData());
      form.close();
    });
  } else {
    std::fprintf(stderr, "unknown mode '%s'\n", mode.c_str());
    return 2;
  }
  application.Run();
  std::printf("exit code %d\n", application.ExitCode());
  return application.ExitCode();
}
