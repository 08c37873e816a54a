#include "platform/win32/window.h"

#include <gtest/gtest.h>

#include <exception>
#include <optional>
#include <stdexcept>

#include "platform/error_boundary.h"

namespace zelvorn {
namespace {

constexpr wchar_t kClassName[] = L"WindowTestWindow";
constexpr UINT kThrow = WM_APP;
constexpr UINT kAnswer = WM_APP + 1;
constexpr LRESULT kParentsAnswer = 99;
constexpr LRESULT kOwnersAnswer = 7;

// A message-only window: one message makes its handler throw, another gets an answer, and it
// answers its controls' notifications itself when their owners leave them to it.
class TTestWindow final : public TWindow {
 public:
  TTestWindow() {
    CreateHandle(0, kClassName, L"", 0, {}, HWND_MESSAGE, GetModuleHandleW(nullptr));
  }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == kThrow) throw std::runtime_error("handler failed");
    if (message == kAnswer) return static_cast<LRESULT>(wparam) * 2;
    if (message == WM_COMMAND || message == WM_CTLCOLORSTATIC) return kParentsAnswer;
    return TWindow::HandleMessage(message, wparam, lparam);
  }
};

// Answers its control's colour request and leaves the rest to the parent.
class TTestOwner final : public IControlOwner {
 public:
  std::optional<LRESULT> ControlMessage(UINT message, WPARAM, LPARAM) override {
    if (message == WM_CTLCOLORSTATIC) return kOwnersAnswer;
    return std::nullopt;
  }
};

// A class that is already registered is no failure.
void RegisterTestClass() {
  for (int i = 0; i < 2; ++i) {
    TWindow::RegisterWindowClass(GetModuleHandleW(nullptr), kClassName, 0, nullptr, ArrowCursor(),
                                 nullptr);
  }
}

TEST(WindowTest, ReportsAHandlersFailureAndGoesOnHandlingMessages) {
  RegisterTestClass();
  int reports = 0;
  const TErrorReporter previous = SetErrorReporter([&](std::exception_ptr) { ++reports; });
  {
    TTestWindow window;
    EXPECT_EQ(SendMessageW(window.Handle(), kThrow, 0, 0), 0);
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(SendMessageW(window.Handle(), kAnswer, 21, 0), 42);
    EXPECT_EQ(reports, 1);
  }
  SetErrorReporter(previous);
}

TEST(WindowTest, AControlsNotificationsGoBackToItsOwnerWhileItHasOne) {
  RegisterTestClass();
  TTestWindow window;
  const HWND control = CreateChildControl(L"STATIC", L"", 0, 0, 0, 10, 10, window.Handle(), 5);
  const auto from_control = reinterpret_cast<LPARAM>(control);
  TTestOwner owner;
  {
    const TOwnedControl owned(control, owner);
    EXPECT_EQ(SendMessageW(window.Handle(), WM_CTLCOLORSTATIC, 0, from_control), kOwnersAnswer);
    EXPECT_EQ(SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(5, 0), from_control),
              kParentsAnswer);
  }
  EXPECT_EQ(SendMessageW(window.Handle(), WM_CTLCOLORSTATIC, 0, from_control), kParentsAnswer);
}

TEST(WindowTest, MessagePointIsSignedOnBothAxes) {
  const POINT point = MessagePoint(MAKELPARAM(-5, -300));
  EXPECT_EQ(point.x, -5);
  EXPECT_EQ(point.y, -300);
}

}  // namespace
}  // namespace zelvorn
