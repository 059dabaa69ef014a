#pragma once
// The sidebar with its seven navigation tabs, the eight fading panels, and switching between
// panels. Switching fades the shown panel out while the chosen one fades in.
#include "ui/window_state_win.h"

// Builds the sidebar, its tabs and the eight (hidden) panels under gUi.root.
void BuildSidebarAndPanels();

// Shows a panel: every other shown panel fades out, the panel fades in on top, and its tab (the
// details panel has none) becomes the selected one. Nothing happens when it is already shown.
void ShowPanel(Panel panel);

// The panel whose tab has this command id; false for another id.
bool PanelOfTabCommand(int commandId, Panel* panel);
