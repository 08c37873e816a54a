#pragma once

namespace zelvorn {

class TForm_main;

// Installs what assistive tools (screen readers) need to read the program: the grid as a table,
// and labels that carry a name of their own, which report their text as their value. Call it
// before any window is built, since Qt keeps the description it first made of each widget.
void InstallAccessibility();

// Names the main window's progress number "进度" and its clock "用时", and ties the size chooser
// to its caption "表格", so that a screen reader says what each number is.
void NameForAssistiveTools(TForm_main& form);

}  // namespace zelvorn
