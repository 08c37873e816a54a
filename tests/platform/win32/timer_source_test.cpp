#include "platform/win32/timer_source.h"

#include <gtest/gtest.h>

#include "platform/win32/windows_api.h"

namespace zelvorn {
namespace {

// Runs the thread's message loop until `done` holds or `limit_ms` have passed; returns how many
// WM_TIMER messages it dispatched.
template <class TDone>
int PumpUntil(TDone done, DWORD limit_ms = 1000) {
  const DWORD start = GetTickCount();
  MSG message;
  int timer_messages = 0;
  while (!done() && GetTickCount() - start < limit_ms) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      timer_messages += message.message == WM_TIMER;
      DispatchMessageW(&message);
    }
  }
  return timer_messages;
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

  // Stopped timers are Windows' no longer: nothing is left ticking unheard.
  fast.SetEnabled(false);
  PumpUntil([] { return false; }, 50);
  EXPECT_EQ(PumpUntil([] { return false; }, 100), 0);
}

}  // namespace
}  // namespace zelvorn
