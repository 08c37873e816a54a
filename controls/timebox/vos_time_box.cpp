#include "controls/timebox/vos_time_box.h"

#include <QFocusEvent>
#include <QPalette>
#include <cmath>

#include "platform/error_boundary.h"
#include "platform/exceptions.h"
#include "platform/format.h"
#include "platform/qt_color.h"
#include "platform/qt_font.h"
#include "platform/timer.h"

namespace zelvorn {
namespace {

constexpr char kZeroTime[] = "00:00:00";
constexpr char kInvalidTime[] = "无效的时间值";
constexpr std::int32_t kTickInterval = 1000;
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

TVosTimeBox::TVosTimeBox(QWidget* owner) : QLineEdit(owner), timer_(std::make_unique<TTimer>()) {
  timer_->SetEnabled(false);
  timer_->SetInterval(kTickInterval);
  timer_->OnTimer = [this] { ClockTick(); };
  SetText(kZeroTime);
  SetColor(clBlack);
  TFont font;
  font.Color = clWhite;
  font.Name = "黑体";
  font.SetSize(12);
  SetFont(font);
  setReadOnly(true);
  setEnabled(false);
  SetAutoSelect(false);
}

// The timer goes first: a tick must not reach a box that is half destroyed.
TVosTimeBox::~TVosTimeBox() {
  timer_->SetEnabled(false);
  timer_.reset();
}

void TVosTimeBox::SetNowBegin(bool begin) {
  now_begin_ = begin;
  if (begin) {
    hour_ = minute_ = second_ = clock_seconds_ = 0;
    timer_->SetEnabled(true);
  } else {
    timer_->SetEnabled(false);
    SetText(kZeroTime);
  }
}

void TVosTimeBox::SetNowPause(bool pause) {
  now_pause_ = pause;
  timer_->SetEnabled(!pause);
}

void TVosTimeBox::SetNowTime(TDateTime time) {
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

void TVosTimeBox::ClockTick() {
  if (!now_begin_ || now_pause_) return;
  ++clock_seconds_;
  hour_ = clock_seconds_ / kSecondsPerHour;
  minute_ = clock_seconds_ % kSecondsPerHour / kSecondsPerMinute;
  second_ = clock_seconds_ % kSecondsPerHour % kSecondsPerMinute;
  SetText(Format("%.02d:%.02d:%.02d", {hour_, minute_, second_}));
}

std::string TVosTimeBox::Text() const { return text().toStdString(); }

void TVosTimeBox::SetText(const std::string& text) { setText(QString::fromStdString(text)); }

void TVosTimeBox::SetColor(TColor color) {
  color_ = color;
  ApplyColors();
}

void TVosTimeBox::SetFont(const TFont& font) {
  font_ = font;
  setFont(ToQFont(font));
  ApplyColors();
}

void TVosTimeBox::SetAutoSelect(bool auto_select) { auto_select_ = auto_select; }

// Qt greys a disabled edit; this box keeps its colours in every state, which is the point of a
// disabled display.
void TVosTimeBox::ApplyColors() {
  QPalette colors = palette();
  const QColor background = ToQColor(color_, colors);
  const QColor text = ToQColor(font_.Color, colors);
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    colors.setColor(group, QPalette::Base, background);
    colors.setColor(group, QPalette::Text, text);
  }
  setPalette(colors);
}

// QLineEdit selects everything whenever it is entered with the keyboard; without AutoSelect the
// text must stay unselected.
void TVosTimeBox::focusInEvent(QFocusEvent* event) {
  Guarded([this, event] {
    const bool had_selection = hasSelectedText();
    QLineEdit::focusInEvent(event);
    if (!auto_select_ && !had_selection) deselect();
  });
}

}  // namespace zelvorn
