#include "platform/win32/window.h"

#include <gtest/gtest.h>

#include <exception>
#include <stdexcept>

#include "platform/error_boundary.h"

namespace zelvorn {
namespace {

constexpr wchar_t kClassName[] = L"WindowTestWindow";
constexpr UINT kThrow = WM_APP;
constexpr UINT kAnswer = WM_APP + 1;

// A message-only window: one message makes its handler throw, another gets an answer.
class TTestWindow final : public TWindow {
 public:
  TTestWindow() {
    CreateHandle(0, kClassName, L"", 0, {}, HWND_MESSAGE, GetModuleHandleW(nullptr));
  }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == kThrow) throw std::runtime_error("handler failed");
    if (message == kAnswer) return static_cast<LRESULT>(wparam) * 2;
    return TWindow::HandleMessage(message, wparam, lparam);
  }
};

TEST(WindowTest, ReportsAHandlersFailureAndGoesOnHandlingMessages) {
  // A class that is already registered is no failure.
  for (int i = 0; i < 2; ++i) {
    TWindow::RegisterWindowClass(GetModuleHandleW(nullptr), kClassName, 0, nullptr,
                                 ArrowCursor(), nullptr);
  }
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

TEST(WindowTest, MessagePointIsSignedOnBothAxes) {
  const POINT point = MessagePoint(MAKELPARAM(-5, -300));
  EXPECT_EQ(point.x, -5);
  EXPECT_EQ(point.y, -300);
}

}  // namespace
}  // namespace zelvorn
