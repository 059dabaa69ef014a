#pragma once
#include <string>

// Chores of the product's installer ("/install") and uninstaller ("/uninstall").
void SetFileAssociations(const std::wstring& programPath);
void RemoveFileAssociations();
void ResetEngine();
