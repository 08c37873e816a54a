// Zelvorn for Windows: attention training with number tables.
#include "app/win32/application.h"
#include "app/win32/form_main.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  return zelvorn::RunProgram<zelvorn::TForm_main>(instance, show_command);
}
