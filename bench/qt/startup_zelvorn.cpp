// Zelvorn's own start, exactly as main() does it, with a probe that reports the first paint.
#include "app/qt/application.h"
#include "app/qt/form_main.h"
#include "bench/qt/first_paint_probe.h"

int main(int argc, char* argv[]) {
  zelvorn::TApplication application(argc, argv);
  zelvorn::bench::TFirstPaintProbe probe(application);
  application.CreateForm<zelvorn::TForm_main>();
  application.Run();
  return application.ExitCode();
}
