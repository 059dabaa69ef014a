#pragma once
// The commands of morvanta-theme. Each returns the process exit code: 0 on success, 1 when the
// work failed (the reason is written to err as one line).
#include <ostream>
#include <string>

#include "graphics/cursor_appearance.h"

// The preview's options are the appearance options of the settings window (opacity is not used:
// the file holds the pixels).
using PreviewOptions = CursorAppearance;

int RunDump(const std::string& file, std::ostream& out, std::ostream& err);
int RunConvert(const std::string& in, const std::string& out, std::ostream& err);
int RunPreview(const std::string& file, const std::string& png, const PreviewOptions& options, std::ostream& err);
int RunPack(const std::string& manifest, const std::string& out, std::ostream& err);
int RunUnpack(const std::string& file, const std::string& folder, std::ostream& err);
// Prints the theme library of folder: {"cursorThemes", "clickEffects", "trails"}, each a list of paths.
int RunScan(const std::string& folder, std::ostream& out, std::ostream& err);
// Converts a Windows cursor scheme; prints the one-line report to report. name, when given, replaces the
// scheme's name.
int RunImportWindows(const std::string& source, const std::string& out, const std::string* name, std::ostream& report,
                     std::ostream& err);
