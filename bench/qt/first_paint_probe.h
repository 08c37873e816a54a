#pragma once

// Measures a GUI program's start: from the moment the launcher took (ZELVORN_BENCH_START_NS, in
// nanoseconds of CLOCK_REALTIME, taken just before exec) to the end of the first batch of paints
// of its windows, and its peak memory at that moment. Prints one line
//   first_paint_ms=<ms> peak_rss_kb=<kB>
// and ends the event loop.
#include <sys/resource.h>

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace zelvorn::bench {

class TFirstPaintProbe : public QObject {
 public:
  explicit TFirstPaintProbe(QApplication& app) { app.installEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      // The widgets of one expose paint in one go; whatever is posted now runs after them.
      QTimer::singleShot(0, this, [] { Report(); });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  static void Report() {
    const char* start = std::getenv("ZELVORN_BENCH_START_NS");
    const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    const double ms = start != nullptr ? (now - std::atoll(start)) / 1e6 : -1;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("first_paint_ms=%.1f peak_rss_kb=%ld\n", ms, usage.ru_maxrss);
    std::fflush(stdout);
    QCoreApplication::exit(0);
  }

  bool seen_ = false;
};

}  // namespace zelvorn::bench
