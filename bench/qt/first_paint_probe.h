#pragma once

// Measures a GUI program's start from the moment the launcher took (ZELVORN_BENCH_START_NS, in
// nanoseconds of CLOCK_REALTIME, taken just before exec): to its first window being exposed on
// the screen (mapped, as the window system tells it), and to the end of the first batch of
// paints of its windows, with its peak memory at that moment. Prints one line
//   mapped_ms=<ms> first_paint_ms=<ms> peak_rss_kb=<kB>
// and ends the event loop.
#include <sys/resource.h>

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace zelvorn::bench {

class TFirstPaintProbe : public QObject {
 public:
  explicit TFirstPaintProbe(QApplication& app) { app.installEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose && !mapped_) {
      const auto* window = qobject_cast<const QWindow*>(watched);
      if (window != nullptr && window->isExposed()) {
        mapped_ = true;
        mapped_ms_ = SinceLaunchMs();
      }
    }
    if (event->type() == QEvent::Paint && !painted_) {
      painted_ = true;
      // The widgets of one expose paint in one go; whatever is posted now runs after them.
      QTimer::singleShot(0, this, [this] { Report(); });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  static double SinceLaunchMs() {
    const char* start = std::getenv("ZELVORN_BENCH_START_NS");
    const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    return start != nullptr ? (now - std::atoll(start)) / 1e6 : -1;
  }

  void Report() const {
    const double painted_ms = SinceLaunchMs();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("mapped_ms=%.1f first_paint_ms=%.1f peak_rss_kb=%ld\n", mapped_ms_, painted_ms,
                usage.ru_maxrss);
    std::fflush(stdout);
    QCoreApplication::exit(0);
  }

  bool mapped_ = false;
  double mapped_ms_ = -1;
  bool painted_ = false;
};

}  // namespace zelvorn::bench
