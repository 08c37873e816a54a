#include "app/qt/program.h"

#include <cstdio>
#include <cstdlib>

#include "app/qt/accessibility.h"
#include "app/qt/form_main.h"
#include "app/qt/qt_translations.h"

namespace zelvorn {

int RunProgram(TApplication& application) {
  // After the application object, which installs Qt's own descriptions of its widgets: Qt asks
  // the factory installed last first.
  InstallAccessibility();
  // Wayland compositors match the window with the menu entry of this name.
  QGuiApplication::setDesktopFileName(QStringLiteral(ZELVORN_APP_ID));
  LoadQtChineseTexts(application);
  application.CreateForm<TForm_main>();
  if (auto* form = dynamic_cast<TForm_main*>(application.MainForm())) {
    NameForAssistiveTools(*form);
  }
  application.Run();
  if (QGuiApplication::platformName() == QLatin1String("wayland")) {
    // Everything of ours has been shut down by now. Qt 6.4's Wayland client can hang for ever
    // while it disconnects from the compositor (its reading thread waits for a read that the
    // main thread will never do), so the process ends here without that teardown.
    std::fflush(nullptr);
    std::_Exit(application.ExitCode());
  }
  return application.ExitCode();
}

}  // namespace zelvorn
