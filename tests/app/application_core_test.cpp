#include "app/application_core.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "platform/format.h"
#include "platform/messages.h"

namespace zelvorn {
namespace {

// Shows where the title was lower-cased by the host's rules.
std::string Marked(std::string_view text) { return "<" + std::string(text) + ">"; }

class TRecordingHost final : public IApplicationHost {
 public:
  void CancelMouseCapture() override { calls.push_back("cancel"); }
  void ShowErrorBox(const std::string& text) override { calls.push_back("error|" + text); }
  void ShowApplicationError(const std::string& text) override {
    calls.push_back("application-error|" + text);
  }

  std::vector<std::string> calls;
  std::vector<std::string> forms;  // as they are made and destroyed
};

class TForm {
 public:
  TForm(TRecordingHost& host, std::string name) : host_(host), name_(std::move(name)) {
    host_.forms.push_back("made " + name_);
  }
  virtual ~TForm() { host_.forms.push_back("destroyed " + name_); }

 private:
  TRecordingHost& host_;
  std::string name_;
};

struct TFirstForm : TForm {
  explicit TFirstForm(TRecordingHost& host) : TForm(host, "first") {}
};
struct TSecondForm : TForm {
  explicit TSecondForm(TRecordingHost& host) : TForm(host, "second") {}
};
struct TFailingForm : TForm {
  explicit TFailingForm(TRecordingHost& host) : TForm(host, "failing") {
    throw EOutOfResources(messages::kOutOfTimers);
  }
};

using TCore = TApplicationCore<TRecordingHost, TForm>;

TEST(ApplicationCoreTest, TitleAndSoundComeFromTheExecutablesPath) {
  TRecordingHost host;
  const TCore core(host, host, "C:\\Program Files/Zelvorn\\TRAINER.EXE", "\\/", &Marked);
  EXPECT_EQ(core.Title(), "T<RAINER>");
  EXPECT_EQ(core.SoundPath(), "C:\\Program Files/Zelvorn\\snd.wav");
  EXPECT_EQ(ModuleName("/opt/zelvorn/zelvorn", "/"), "zelvorn");
}

// The forms go last made, first gone; a form that fails to be made ends the start for good.
TEST(ApplicationCoreTest, AFormThatFailsIsTheStartUpFailureAndTheFormsGoInReverse) {
  struct TCase {
    bool fail;
    std::vector<std::string> forms;
    bool ready;
    int exit_code;
  };
  const TCase cases[] = {
      {false, {"made first", "made second", "destroyed second", "destroyed first"}, true, 0},
      {true, {"made first", "made failing", "destroyed failing", "destroyed first"}, false, 1},
  };
  for (const TCase& c : cases) {
    TRecordingHost host;
    {
      TCore core(host, host, "/opt/zelvorn/zelvorn", "/", &Marked);
      core.CreateForm<TFirstForm>();
      if (c.fail) core.CreateForm<TFailingForm>();
      core.CreateForm<TSecondForm>();
      EXPECT_EQ(core.ReadyToRun(), c.ready);
      EXPECT_EQ(core.ExitCode(), c.exit_code);
      if (c.ready) core.Finish(0);
    }
    EXPECT_EQ(host.forms, c.forms) << c.fail;
    ASSERT_EQ(host.calls.size(), c.fail ? 1u : 0u);
    if (c.fail) {
      const std::string& report = host.calls.front();
      EXPECT_EQ(report.rfind("application-error|异常 EOutOfResources 发生在模块 zelvorn 中的 ", 0),
                0u)
          << report;
      EXPECT_TRUE(report.ends_with(" 位置.\n可用的计时器不足.")) << report;
      EXPECT_EQ(report.find(" 中的 " + Format("%p", {static_cast<const void*>(nullptr)})),
                std::string::npos)
          << report;
    }
  }
}

// While the core lives its report is the error reporter; afterwards the one before is back.
TEST(ApplicationCoreTest, ReportsWhatNoHandlerCaughtWhileItLives) {
  std::vector<std::string> before;
  const TErrorReporter outer = SetErrorReporter([&](std::exception_ptr) { before.push_back("x"); });
  TRecordingHost host;
  {
    const TCore core(host, host, "/opt/zelvorn/zelvorn", "/", &Marked);
    ReportError(std::make_exception_ptr(EConvertError("'' 不是一个有效的整形值")));
    ReportError(std::make_exception_ptr(42));
  }
  ReportError(std::make_exception_ptr(42));
  SetErrorReporter(outer);
  const std::vector<std::string> expected = {
      "cancel", "error|'' 不是一个有效的整形值.", "cancel",
      "application-error|" + RuntimeErrorText("int", "zelvorn", nullptr, "")};
  EXPECT_EQ(host.calls, expected);
  EXPECT_EQ(before, std::vector<std::string>{"x"});
}

}  // namespace
}  // namespace zelvorn
