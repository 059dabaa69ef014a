#pragma once
// The commands of morvanta-theme. Each returns the process exit code: 0 on success, 1 when the
// work failed (the reason is written to err as one line).
#include <ostream>
#include <string>

struct PreviewOptions {
    int size = 100;  // percent
    bool mirror = false;
    int hue = 0;
    int brightness = 0;
    int contrast = 0;
    bool shadow = true;
    int shadowX = 5;
    int shadowY = 5;
    int shadowSharpness = 9;
    int shadowDarkness = 128;
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
