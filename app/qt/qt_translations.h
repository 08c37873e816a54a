#pragma once

class QCoreApplication;
class QTranslator;

namespace zelvorn {

// Loads Qt's own texts (context menus, standard buttons) in Simplified Chinese, whatever the
// user's locale, so that they read like the rest of the window. They come from the system's Qt
// translations; without them Qt's texts stay English and a warning says so. Call it before the
// first window is built. Returns the installed translator, owned by the application, or nullptr.
QTranslator* LoadQtChineseTexts(QCoreApplication& application);

}  // namespace zelvorn
