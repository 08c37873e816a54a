#include "platform/win32/win32_timer_source.h"

#include <gtest/gtest.h>

#include "platform/win32/windows_api.h"

namespace zelvorn {
namespace {

// Runs the thread's message loop until `done` holds or a second has passed.
template <class TDone>
void PumpUntil(TDone done) {
  const DWORD start = GetTickCount();
  MSG message;
  while (!done() && GetTickCount() - start < 1000) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
}

TEST(Win32TimerSourceTest, TicksReachTheirOwnTimerThroughTheMessageLoopUntilStopped) {
  TWin32TimerSource source;
  const TScopedTimerSource installed(source);
  TTimer fast;
  TTimer stopped;
  int fast_ticks = 0;
  int stopped_ticks = 0;
  fast.OnTimer = [&] { ++fast_ticks; };
  stopped.OnTimer = [&] { ++stopped_ticks; };
  fast.SetInterval(10);
  stopped.SetInterval(10);
  fast.SetEnabled(true);
  stopped.SetEnabled(true);
  PumpUntil([&] { return fast_ticks >= 3 && stopped_ticks >= 1; });
  EXPECT_GE(fast_ticks, 3);
  ASSERT_GE(stopped_ticks, 1);

  stopped.SetEnabled(false);
  const int stopped_at = stopped_ticks;
  const int fast_at = fast_ticks;
  PumpUntil([&] { return fast_ticks >= fast_at + 3; });
  EXPECT_GE(fast_ticks, fast_at + 3);
  EXPECT_EQ(stopped_ticks, stopped_at);
}

}  // namespace
}  // namespace zelvorn
