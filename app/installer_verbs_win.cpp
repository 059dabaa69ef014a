#include "app/installer_verbs_win.h"

// Not implemented yet: file associations and the engine reset come with the registry and engine
// control code. The verbs already end the process without a window, as the installer expects.
void SetFileAssociations(const std::wstring&) {}
void RemoveFileAssociations() {}
void ResetEngine() {}
