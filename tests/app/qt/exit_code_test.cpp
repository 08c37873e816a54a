// The program as a process: how it ends, and with which exit code.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

namespace zelvorn {
namespace {

struct TRun {
  int exit_code = -1;
  QString out;
  QString err;
};

TRun RunProcess(const QString& program, const QStringList& arguments,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(program, arguments);
  EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "crashed: " << program.toStdString();
  return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
          QString::fromUtf8(process.readAllStandardError())};
}

TRun RunProbe(const char* mode) {
  return RunProcess(QStringLiteral(ZELVORN_APP_PROBE), {QString::fromLatin1(mode)});
}

TEST(ExitCodeTest, ClosingTheMainWindowEndsTheProgramWithZero) {
  const TRun run = RunProbe("close");
  EXPECT_EQ(run.exit_code, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, QStringLiteral("exit code 0\n"));
}

TEST(ExitCodeTest, ClosingItDuringARunWithTheInformationBoxUpAlsoEndsWithZero) {
  const TRun run = RunProbe("close-running");
  EXPECT_EQ(run.exit_code, 0) << run.err.toStdString();
  // The box's own loop ends with the program's, then the window and its timers go, in order.
  EXPECT_EQ(run.out, QStringLiteral("info|提示中\ninfo box returned\ndestroyed after some ticks\n"
                                    "exit code 0\n"));
}

TEST(ExitCodeTest, AFailureWhileCreatingTheMainWindowIsReportedAndEndsWithOne) {
  const TRun run = RunProbe("fail-in-form");
  EXPECT_EQ(run.exit_code, 1) << run.err.toStdString();
  const QStringList lines = run.out.split(u'\n');
  ASSERT_EQ(lines.size(), 5) << run.out.toStdString();
  EXPECT_TRUE(lines[0].contains(QRegularExpression(
      QStringLiteral("^application-error\\|异常 EAssertionFailed 发生在模块 app_probe 中的 "
                     "[0-9A-F]{16} 位置\\.$"))))
      << lines[0].toStdString();
  EXPECT_EQ(lines[1], QStringLiteral("OleInitialize failed ($80004005) (CellGrid, 行 38167)."));
  // The address lies in the program's own code: the code that was creating the failing window.
  EXPECT_EQ(lines[2].toStdString(), "address: code of app_probe");
  EXPECT_EQ(lines[3], QStringLiteral("exit code 1"));
}

TEST(ExitCodeTest, WithoutADisplayTheProgramSaysSoAndEndsWithOne) {
  for (const char* display : {"", ":97"}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    if (*display == '\0') {
      environment.remove(QStringLiteral("DISPLAY"));
    } else {
      environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display));
    }
    const TRun run = RunProcess(QStringLiteral(ZELVORN_EXECUTABLE), {}, environment);
    EXPECT_EQ(run.exit_code, 1) << display;
    EXPECT_TRUE(run.err.contains(
        QStringLiteral("Zelvorn cannot start: it cannot reach a window system (is DISPLAY set?).")))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("Zelvorn 无法启动"))) << display;
  }
}

}  // namespace
}  // namespace zelvorn
