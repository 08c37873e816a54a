#pragma once

#include <QObject>
#include <cstdint>
#include <functional>

class QTimerEvent;

namespace zelvorn {

// Where timers get their platform ticks from. The default asks Qt for a precise timer on the
// receiving object; tests install one that refuses, or one that lets them deliver ticks by hand.
class ITimerSource {
 public:
  virtual ~ITimerSource() = default;
  // Starts a repeating timer whose ticks arrive as QTimerEvents at `receiver`; returns the
  // timer's id, or 0 when the platform has no timer to give.
  virtual int StartTimer(QObject& receiver, int interval_ms) = 0;
  virtual void StopTimer(QObject& receiver, int id) = 0;
};

// Makes `source` the one that timers started from now on use, for as long as this object lives;
// the previous source comes back afterwards. A running timer keeps the source it started with.
class TScopedTimerSource {
 public:
  explicit TScopedTimerSource(ITimerSource& source);
  ~TScopedTimerSource();
  TScopedTimerSource(const TScopedTimerSource&) = delete;
  TScopedTimerSource& operator=(const TScopedTimerSource&) = delete;

 private:
  ITimerSource* previous_;
};

// A repeating timer. Its ticks are events on the GUI thread; an exception out of OnTimer goes to
// ReportError and the timer keeps running. A new timer is off, with an interval of 1000 ms.
class TTimer : public QObject {
 public:
  static constexpr std::uint32_t kDefaultInterval = 1000;

  explicit TTimer(QObject* owner = nullptr);
  ~TTimer() override;
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

 protected:
  void timerEvent(QTimerEvent* event) override;

 private:
  void UpdateTimer();
  void StopPlatformTimer();

  bool enabled_ = false;
  std::uint32_t interval_ = kDefaultInterval;
  int timer_id_ = 0;
  ITimerSource* source_ = nullptr;  // the source timer_id_ came from
};

}  // namespace zelvorn
