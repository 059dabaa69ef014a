// morvanta-theme scan: the theme library of a folder, as the configuration window builds it.
#include <filesystem>

#include "base/file_io.h"
#include "base/text_encoding.h"
#include "theme/theme_library.h"
#include "tools/theme_tool/json_writer.h"
#include "tools/theme_tool/theme_tool.h"

namespace {

void WritePaths(JsonWriter& json, const char* key, const std::vector<THEME_INFO>& list) {
    json.Key(key);
    json.BeginArray();
    for (const THEME_INFO& entry : list) json.String(entry.path);
    json.EndArray();
}

}  // namespace

int RunScan(const std::string& folder, std::ostream& out, std::ostream& err) {
    const std::wstring wide = text::Utf8ToUtf16(folder);
    std::error_code error;
    if (!std::filesystem::is_directory(fileio::ToFsPath(wide), error)) {
        err << folder << ": not a folder\n";
        return 1;
    }
    ThemeLibrary library;
    ScanThemeFolder(library, wide);
    JsonWriter json;
    json.BeginObject();
    WritePaths(json, "cursorThemes", library.cursorThemes);
    WritePaths(json, "clickEffects", library.clickEffects);
    WritePaths(json, "trails", library.trails);
    json.EndObject();
    out << json.Text() << "\n";
    return 0;
}
