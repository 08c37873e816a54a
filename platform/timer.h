#pragma once

#include <cstdint>
#include <functional>

namespace zelvorn {

class TTimer;

// Where timers get their platform ticks from: each host gives one (Qt's timers, Windows'
// SetTimer), and tests give one that refuses or that lets them deliver ticks by hand. A source
// calls TTimer::Tick on the user-interface thread for every tick of a timer it started.
class ITimerSource {
 public:
  virtual ~ITimerSource() = default;
  // Starts a repeating timer for `timer`; returns its id, or 0 when the platform has no timer
  // to give.
  virtual std::uintptr_t StartTimer(TTimer& timer, std::uint32_t interval_ms) = 0;
  virtual void StopTimer(std::uintptr_t id) = 0;
};

// Makes `source` the one that timers started from now on use, for as long as this object lives;
// the previous source comes back afterwards. A running timer keeps the source it started with.
// With no source at all, no timer can start.
class TScopedTimerSource {
 public:
  explicit TScopedTimerSource(ITimerSource& source);
  ~TScopedTimerSource();
  TScopedTimerSource(const TScopedTimerSource&) = delete;
  TScopedTimerSource& operator=(const TScopedTimerSource&) = delete;

 private:
  ITimerSource* previous_;
};

// A repeating timer. Its ticks arrive on the user-interface thread; an exception out of OnTimer
// goes to ReportError and the timer keeps running. A new timer is off, with an interval of
// 1000 ms.
class TTimer {
 public:
  static constexpr std::uint32_t kDefaultInterval = 1000;

  TTimer() = default;
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  bool Enabled() const { return enabled_; }
  // Switching on a timer that is on, or off one that is off, changes nothing: a running timer
  // keeps its phase. When the platform has no timer left, raises EOutOfResources
  // "可用的计时器不足" and the timer stays off, so a later attempt asks the platform again.
  void SetEnabled(bool enabled);

  // Milliseconds between ticks. Changing it restarts a running timer, which can fail as
  // SetEnabled does. An enabled timer with interval 0 never ticks.
  std::uint32_t Interval() const { return interval_; }
  void SetInterval(std::uint32_t interval);

  // Raised on every tick while the timer is on.
  std::function<void()> OnTimer;

  // A tick from the platform timer `id`. One from a timer this one no longer runs (a tick can
  // still be queued when its timer stops) is ignored. Never throws.
  void Tick(std::uintptr_t id) noexcept;

 private:
  void UpdateTimer();
  void StopPlatformTimer();

  bool enabled_ = false;
  std::uint32_t interval_ = kDefaultInterval;
  std::uintptr_t timer_id_ = 0;
  ITimerSource* source_ = nullptr;  // the source timer_id_ came from
};

}  // namespace zelvorn
