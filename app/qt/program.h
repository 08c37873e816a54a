#pragma once

#include "app/qt/application.h"

namespace zelvorn {

// Everything the program does once its application object exists: the screen-reader support,
// the desktop id, Qt's Chinese texts, the main window, the event loop and the end. Returns the
// process's exit code. The start-up benchmark runs the same start through it.
int RunProgram(TApplication& application);

}  // namespace zelvorn
