// Zelvorn: attention training with number tables.
#include "app/application.h"
#include "app/form_main.h"

int main(int argc, char* argv[]) {
  zelvorn::TApplication application(argc, argv);
  application.CreateForm<zelvorn::TForm_main>();
  application.Run();
  return application.ExitCode();
}
