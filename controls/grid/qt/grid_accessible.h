#pragma once

namespace zelvorn {

// Shows every TCellGridWidget to assistive tools (screen readers) as a table: its rows and
// columns, each cell named by its text and placed where it shows on the screen, the selected
// cells, and the current cell as the focused one, announced whenever it moves while the grid has
// the focus. Installs a QAccessible factory; call it once, before the first grid is shown.
void InstallGridAccessibility();

}  // namespace zelvorn
