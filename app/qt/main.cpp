// Zelvorn: attention training with number tables.
#include "app/qt/application.h"
#include "app/qt/program.h"

int main(int argc, char* argv[]) {
  zelvorn::TApplication application(argc, argv);
  return zelvorn::RunProgram(application);
}
