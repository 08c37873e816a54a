#pragma once

class QCoreApplication;

namespace zelvorn {

// Loads Qt's own texts (context menus, standard buttons) in Simplified Chinese, whatever the
// user's locale, so that they read like the rest of the window. They come from the system's Qt
// translations; without them Qt's texts stay English and a warning says so. Call it before the
// first window is built. Returns whether they were loaded.
bool LoadQtChineseTexts(QCoreApplication& application);

}  // namespace zelvorn
