#pragma once

namespace zelvorn {

class TForm_main;

// Installs what assistive tools (screen readers) need to read the program: the main window as a
// window with its strip as a pane, the grid as a table, and the progress number as a progress bar
// whose value is the number. Call it before any window is built, since Qt keeps the description
// it first made of each widget.
void InstallAccessibility();

// Names the main window's progress number "进度", its clock "用时" and its grid "表格", and ties
// the size chooser to its caption "表格", so that a screen reader says what each control is.
void NameForAssistiveTools(TForm_main& form);

}  // namespace zelvorn
