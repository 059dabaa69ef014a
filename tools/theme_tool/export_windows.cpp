// morvanta-theme export-windows: a theme as a Windows cursor scheme, a ".cur" or ".ani" per system
// cursor and an install.inf, each cursor drawn as the engine draws it.
#include <array>
#include <filesystem>
#include <fstream>

#include "base/text_encoding.h"
#include "graphics/hv_bitmap.h"
#include "theme/cursor_render.h"
#include "theme/windows_cursor_writer.h"
#include "theme/windows_scheme.h"
#include "tools/theme_tool/any_theme.h"
#include "tools/theme_tool/scheme_inf_writer.h"
#include "tools/theme_tool/theme_tool.h"

namespace fs = std::filesystem;

namespace {

constexpr char kInfName[] = "install.inf";

struct SchemeFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

// The folder the scheme is written into before it is moved into place; removed however the
// export ends, so that a failure leaves nothing half-written behind.
class StagingFolder {
public:
    ~StagingFolder() {
        std::error_code ignored;
        if (!path_.empty()) fs::remove_all(path_, ignored);
    }
    bool Create(const fs::path& parent, std::string& reason) {
        for (int i = 0; i < 1000; ++i) {
            std::error_code error;
            const fs::path candidate = parent / (".export-windows-" + std::to_string(i));
            if (fs::create_directory(candidate, error)) {
                path_ = candidate;
                return true;
            }
            if (error) {
                reason = "cannot create a folder in it: " + error.message();
                return false;
            }
        }
        reason = "cannot create a folder in it";
        return false;
    }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

bool WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    return bool(out);
}

// Every file into the staging folder first, then each moved into the folder, replacing a file of
// the same name.
bool WriteScheme(const std::string& folderName, const std::vector<SchemeFile>& files, std::string& reason) {
    const fs::path folder = fs::u8path(folderName);
    std::error_code error;
    const bool created = fs::create_directories(folder, error);
    if (error) {
        reason = "cannot create the folder: " + error.message();
        return false;
    }
    StagingFolder staging;
    bool written = staging.Create(folder, reason);
    for (size_t i = 0; written && i < files.size(); ++i) {
        written = WriteFile(staging.Path() / files[i].name, files[i].bytes);
        if (!written) reason = "cannot write " + files[i].name;
    }
    for (size_t i = 0; written && i < files.size(); ++i) {
        fs::rename(staging.Path() / files[i].name, folder / files[i].name, error);
        written = !error;
        if (!written) reason = "cannot move " + files[i].name + " into place: " + error.message();
    }
    if (!written && created) {
        std::error_code ignored;
        fs::remove_all(staging.Path(), ignored);
        fs::remove(folder, ignored);  // only when empty
    }
    return written;
}

}  // namespace

int RunExportWindows(const std::string& file, const std::string& out, double scale, const CursorAppearance& appearance,
                     std::ostream& report, std::ostream& err) {
    CTheme theme;
    const ThemeReadResult read = LoadAnyTheme(theme, text::Utf8ToUtf16(file));
    if (!read.ok) {
        err << file << ": " << read.error << "\n";
        return 1;
    }
    RescaleLoadedTheme(theme, scale);

    std::vector<SchemeFile> files;
    std::array<std::wstring, kWindowsCursorCount> listed;
    std::string leftOut;
    for (int slot = 0; slot < kWindowsCursorCount; ++slot) {
        const WindowsCursorSlot& entry = kWindowsCursorSlots[slot];
        if (entry.role < 0) continue;
        const std::string name = text::Utf16ToUtf8(entry.name);
        // A role without an image of its own keeps the system's cursor: the scheme leaves it out.
        const CCursor* cursor = theme.FindCursor(uint32_t(entry.role), 1, 1);
        if (!cursor || cursor->standard || !cursor->image || !cursor->image->Bitmap() ||
            !cursor->image->Bitmap()->IsValid()) {
            leftOut += " " + name;
            continue;
        }
        RenderedCursor rendered;
        SchemeFile scheme;
        std::string reason;
        if (!RenderCursor(*cursor, appearance, rendered, reason) ||
            !EncodeWindowsCursor(rendered, scheme.bytes, reason)) {
            err << file << ": " << name << " (role " << entry.role << "): " << reason << "\n";
            return 1;
        }
        scheme.name = name + WindowsCursorExtension(rendered);
        listed[size_t(slot)] = text::Utf8ToUtf16(scheme.name);
        files.push_back(std::move(scheme));
    }
    if (files.empty()) {
        err << file << ": the theme has no cursor for any Windows cursor\n";
        return 1;
    }
    const std::wstring schemeName = SafeSchemeName(theme.DisplayName());
    files.push_back({kInfName, SchemeInstallInf(schemeName, listed)});

    std::string reason;
    if (!WriteScheme(out, files, reason)) {
        err << out << ": " << reason << "\n";
        return 1;
    }
    report << "scheme: " << text::Utf16ToUtf8(schemeName) << "; files:";
    for (const SchemeFile& written : files) report << " " << written.name;
    report << "; left out:" << (leftOut.empty() ? " none" : leftOut) << "\n";
    return 0;
}
