#include "platform/win32/timer_source.h"

#include <map>

#include "platform/win32/windows_api.h"

namespace zelvorn {
namespace {

struct TRunningTimer {
  const TWin32TimerSource* Source;
  TTimer* Timer;
};

// A timer procedure is given no data of ours, only the id, and the ids of one thread's timers
// are unique: every source of the thread shares this table.
std::map<UINT_PTR, TRunningTimer>& Running() {
  static std::map<UINT_PTR, TRunningTimer> running;
  return running;
}

// Windows calls this from DispatchMessageW, so nothing may leave it: looking the id up does not
// throw, and Tick reports whatever its handler throws.
void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD) noexcept {
  const auto found = Running().find(id);
  // A tick already queued when its timer stopped finds nothing.
  if (found != Running().end()) found->second.Timer->Tick(id);
}

}  // namespace

TWin32TimerSource::~TWin32TimerSource() {
  for (auto it = Running().begin(); it != Running().end();) {
    if (it->second.Source != this) {
      ++it;
      continue;
    }
    KillTimer(nullptr, it->first);
    it = Running().erase(it);
  }
}

std::uintptr_t TWin32TimerSource::StartTimer(TTimer& timer, std::uint32_t interval_ms) {
  const UINT_PTR id = SetTimer(nullptr, 0, interval_ms, TimerProc);
  if (id != 0) Running()[id] = {this, &timer};
  return id;
}

void TWin32TimerSource::StopTimer(std::uintptr_t id) {
  KillTimer(nullptr, id);
  Running().erase(id);
}

}  // namespace zelvorn
