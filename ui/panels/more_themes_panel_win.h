#pragma once
// The more-themes panel: where to find more themes.
void BuildMoreThemesPanel();
