// Zelvorn: attention training with number tables.
#include "app/accessibility.h"
#include "app/application.h"
#include "app/form_main.h"
#include "app/qt_translations.h"

int main(int argc, char* argv[]) {
  zelvorn::InstallAccessibility();
  zelvorn::TApplication application(argc, argv);
  // Wayland compositors match the window with the menu entry of this name.
  QGuiApplication::setDesktopFileName(QStringLiteral(ZELVORN_APP_ID));
  zelvorn::LoadQtChineseTexts(application);
  application.CreateForm<zelvorn::TForm_main>();
  if (auto* form = dynamic_cast<zelvorn::TForm_main*>(application.MainForm())) {
    zelvorn::NameForAssistiveTools(*form);
  }
  application.Run();
  return application.ExitCode();
}
