// The Windows program with a main window that fails on purpose, for the error-report tests:
//   failing_app click   pressing 开始训练 raises a conversion error, every time
//   failing_app create  creating the main window fails
#include <cstdlib>
#include <string>

#include "app/win32/application.h"
#include "app/win32/form_main.h"
#include "platform/exceptions.h"
#include "platform/format.h"
#include "platform/messages.h"

namespace zelvorn {
namespace {

class TClickFailingForm : public TForm_main {
 public:
  explicit TClickFailingForm(TApplication& owner) : TForm_main(owner) {
    Button1->OnClick = [] { throw EConvertError(Format(messages::kInvalidInteger, {"x"})); };
  }
};

class TCreateFailingForm : public TForm_main {
 public:
  explicit TCreateFailingForm(TApplication& owner) : TForm_main(owner) {
    throw EOutOfResources(messages::kOutOfTimers);
  }
};

}  // namespace
}  // namespace zelvorn

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  const std::wstring mode = __argc > 1 ? __wargv[1] : L"";
  if (mode == L"click") {
    return zelvorn::RunProgram<zelvorn::TClickFailingForm>(instance, show_command);
  }
  if (mode == L"create") {
    return zelvorn::RunProgram<zelvorn::TCreateFailingForm>(instance, show_command);
  }
  return 64;
}
