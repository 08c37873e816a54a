#include "controls/timebox/time_box_clock.h"

#include <cmath>
#include <utility>

#include "platform/exceptions.h"
#include "platform/format.h"

namespace zelvorn {
namespace {

constexpr char kInvalidTime[] = "无效的时间值";
constexpr std::uint32_t kTickInterval = 1000;
constexpr std::int32_t kSecondsPerHour = 3600;
constexpr std::int32_t kSecondsPerMinute = 60;
constexpr double kMillisecondsPerDay = 86'400'000.0;

struct TTimeOfDay {
  std::int32_t hours = 0;
  std::int32_t minutes = 0;
  std::int32_t seconds = 0;
};

// The time of day is counted in whole milliseconds first, so a value a hair below a full second
// counts as that second; a negative time counts by its distance from day zero. Ties go to the
// even millisecond, as the default rounding mode does.
TTimeOfDay SplitTimeOfDay(TDateTime time) {
  const double milliseconds = std::nearbyint(std::fabs(time) * kMillisecondsPerDay);
  // Converting a NaN or an infinity to an integer is undefined; refuse it before anything
  // changes.
  if (!std::isfinite(milliseconds)) throw EConvertError(kInvalidTime);
  const auto of_day = static_cast<std::int32_t>(std::fmod(milliseconds, kMillisecondsPerDay));
  const std::int32_t seconds = of_day / 1000;
  return {seconds / kSecondsPerHour, seconds % kSecondsPerHour / kSecondsPerMinute,
          seconds % kSecondsPerMinute};
}

}  // namespace

TTimeBoxClock::TTimeBoxClock(std::function<void(const std::string&)> show_text)
    : show_text_(std::move(show_text)), timer_(std::make_unique<TTimer>()) {
  timer_->SetEnabled(false);
  timer_->SetInterval(kTickInterval);
  timer_->OnTimer = [this] { ClockTick(); };
}

// The timer goes first: a tick must not reach a clock that is half destroyed.
TTimeBoxClock::~TTimeBoxClock() {
  timer_->SetEnabled(false);
  timer_.reset();
}

void TTimeBoxClock::SetNowBegin(bool begin) {
  now_begin_ = begin;
  if (begin) {
    hour_ = minute_ = second_ = clock_seconds_ = 0;
    timer_->SetEnabled(true);
  } else {
    timer_->SetEnabled(false);
    show_text_(kZeroTime);
  }
}

void TTimeBoxClock::SetNowPause(bool pause) {
  now_pause_ = pause;
  timer_->SetEnabled(!pause);
}

void TTimeBoxClock::SetNowTime(TDateTime time) {
  const TTimeOfDay split = SplitTimeOfDay(time);
  now_time_ = time;
  hour_ = split.hours;
  minute_ = split.minutes;
  second_ = split.seconds;
  clock_seconds_ = hour_ * kSecondsPerHour + minute_ * kSecondsPerMinute + second_;
  timer_->SetEnabled(true);
  // Set directly, not through the setters, which would reset the counts just taken over.
  now_begin_ = true;
  now_pause_ = false;
}

void TTimeBoxClock::ClockTick() {
  if (!now_begin_ || now_pause_) return;
  ++clock_seconds_;
  hour_ = clock_seconds_ / kSecondsPerHour;
  minute_ = clock_seconds_ % kSecondsPerHour / kSecondsPerMinute;
  second_ = clock_seconds_ % kSecondsPerHour % kSecondsPerMinute;
  show_text_(Format("%.02d:%.02d:%.02d", {hour_, minute_, second_}));
}

}  // namespace zelvorn
