// The yardstick for Zelvorn's start: the smallest Qt Widgets program, one window with one button.
#include <QApplication>
#include <QPushButton>

#include "bench/qt/first_paint_probe.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  zelvorn::bench::TFirstPaintProbe probe(application);
  QPushButton button(QStringLiteral("开始训练"));
  button.show();
  return application.exec();
}
