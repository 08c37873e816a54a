// Zelvorn's own start, the program's very one (RunProgram), with a probe that reports when its
// window is exposed and first painted.
#include "app/qt/application.h"
#include "app/qt/program.h"
#include "bench/qt/first_paint_probe.h"

int main(int argc, char* argv[]) {
  zelvorn::TApplication application(argc, argv);
  zelvorn::bench::TFirstPaintProbe probe(application);
  return zelvorn::RunProgram(application);
}
