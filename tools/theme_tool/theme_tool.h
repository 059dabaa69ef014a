#pragma once
// The commands of morvanta-theme. Each returns the process exit code: 0 on success, 1 when the
// work failed (the reason is written to err as one line).
#include <ostream>
#include <string>
#include <vector>

#include "graphics/cursor_appearance.h"

// What preview draws: one cursor of the theme with the appearance options of the settings window.
struct PreviewOptions {
    CursorAppearance appearance;  // the opacity counts only with straight
    double scale = 0;             // display scale to draw for (the theme is rescaled); 0: as loaded
    int role = 0;
    int event = 1;
    // false: the image as the settings window's preview holds it (the opacity left to drawing);
    // true: as the engine and the exports draw it, straight alpha with the opacity multiplied in.
    bool straight = false;
};

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
// Writes the theme as a Windows cursor scheme into folder: each cursor rescaled for scale and drawn
// with the appearance, an install.inf beside them; prints one line naming the files to report.
int RunExportWindows(const std::string& theme, const std::string& folder, double scale,
                     const CursorAppearance& appearance, std::ostream& report, std::ostream& err);

// What export-xcursor draws: every role at each nominal size (ascending) with the appearance options.
struct XcursorExportOptions {
    CursorAppearance appearance;  // the opacity counts
    std::vector<int> sizes = {24, 32, 48, 64, 96};
};
// Reads --sizes: whole numbers from 8 to 512, separated by commas, each once; sorted ascending.
bool ParseXcursorSizes(const std::string& text, std::vector<int>& sizes, std::string& problem);
// Writes OUT_DIR/<theme name>/ as an X cursor theme; prints one line to report: the folder, the
// roles and the sizes written.
int RunExportXcursor(const std::string& file, const std::string& outDir, const XcursorExportOptions& options,
                     std::ostream& report, std::ostream& err);
