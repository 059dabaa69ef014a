#include "theme/windows_scheme_import.h"

#include <cstdio>
#include <filesystem>
#include <set>

#include "base/file_io.h"
#include "base/path_text.h"
#include "base/text_encoding.h"
#include "theme/archive_extract.h"
#include "theme/legacy_import.h"
#include "theme/theme.h"
#include "theme/theme_load.h"
#include "theme/windows_cursor_import.h"
#include "theme/windows_scheme.h"

namespace fs = std::filesystem;

namespace {

// No cursor file comes near this; a larger one is refused unread.
constexpr uint64_t kMaxCursorFileBytes = 16 << 20;

std::string Utf8(const std::wstring& text) {
    return text::Utf16ToUtf8(text);
}

std::wstring WithoutTrailingSeparators(std::wstring path) {
    while (path.size() > 1 && pathtext::IsSeparator(path.back())) path.pop_back();
    return path;
}

// Removes the extraction folder however the import ends.
class FolderRemover {
public:
    explicit FolderRemover(std::wstring folder) : folder_(std::move(folder)) {}
    ~FolderRemover() { DeleteFolderTree(folder_, true); }
    FolderRemover(const FolderRemover&) = delete;
    FolderRemover& operator=(const FolderRemover&) = delete;

private:
    std::wstring folder_;
};

bool ReadCursors(const SchemeFiles& files, CTheme& theme, WindowsSchemeReport& report, std::string& reason) {
    std::set<int> roles;
    std::set<double> scales;
    report.skipped = files.skipped;
    for (int slot = 0; slot < kWindowsCursorCount; ++slot) {
        const std::wstring& path = files.paths[size_t(slot)];
        if (path.empty()) continue;
        const WindowsCursorSlot& entry = kWindowsCursorSlots[slot];
        const std::wstring name = pathtext::FileName(path);
        if (entry.role < 0) {
            report.skipped.push_back(name + L" (" + entry.name + L" has no role)");
            continue;
        }
        std::vector<uint8_t> bytes;
        if (!fileio::ReadWholeFile(path, bytes, kMaxCursorFileBytes)) {
            reason = Utf8(name) + ": cannot read the file, or it is larger than 16 MiB";
            return false;
        }
        std::string why;
        if (!TryAddWindowsCursor(theme, bytes, entry.role, entry.partnerRole, scales, why)) {
            reason = Utf8(name) + ": " + why;
            return false;
        }
        roles.insert(entry.role);
        if (entry.partnerRole >= 0) roles.insert(entry.partnerRole);
    }
    if (roles.empty()) {
        reason = "the scheme has no usable cursor";
        return false;
    }
    report.roles.assign(roles.begin(), roles.end());
    report.scales.assign(scales.begin(), scales.end());
    return true;
}

bool ImportFrom(const SchemeFiles& files, CTheme& theme, WindowsSchemeReport& report, std::string& reason) {
    if (!ReadCursors(files, theme, report, reason)) {
        theme.Reset();
        return false;
    }
    if (!files.name.empty()) theme.name = files.name;
    theme.contentFlags |= kThemeHasCursors;
    return true;
}

bool ImportArchive(const std::wstring& archive, CTheme& theme, WindowsSchemeReport& report, std::string& reason) {
    std::vector<uint8_t> bytes;
    if (!fileio::ReadWholeFile(archive, bytes, ExtractLimits{}.maxTotalBytes)) {
        reason = "cannot read the archive";
        return false;
    }
    std::wstring folder;
    if (!CreateImportFolder(folder)) {
        reason = "cannot create a temporary folder";
        return false;
    }
    FolderRemover remover(folder);
    FolderSink sink(folder);
    if (!ExtractArchive(bytes, sink).opened) {
        reason = "the archive cannot be read as ZIP";
        return false;
    }
    SchemeFiles files;
    if (FindScheme(folder, files, reason) != SchemeLookup::kFound) return false;
    // Files at the archive's top take the archive's name; the temporary folder's means nothing.
    if (!files.fromInf && pathtext::SamePath(files.folder, folder))
        files.name = pathtext::Stem(pathtext::FileName(archive));
    return ImportFrom(files, theme, report, reason);
}

}  // namespace

bool TryImportWindowsScheme(const std::wstring& sourcePath, CTheme& theme, WindowsSchemeReport& report,
                            std::string& reason) {
    theme.Reset();
    report = WindowsSchemeReport{};
    const std::wstring source = WithoutTrailingSeparators(sourcePath);
    std::error_code error;
    const fs::file_status status = fs::status(fileio::ToFsPath(source), error);
    if (error || !fs::exists(status)) {
        reason = "cannot find it";
        return false;
    }
    SchemeFiles files;
    if (fs::is_directory(status)) {
        if (FindScheme(source, files, reason) != SchemeLookup::kFound) return false;
        return ImportFrom(files, theme, report, reason);
    }
    if (EndsWithIgnoringCase(source, L".zip")) return ImportArchive(source, theme, report, reason);
    if (EndsWithIgnoringCase(source, L".inf")) {
        if (ReadSchemeInf(source, files, reason) != SchemeLookup::kFound) return false;
        return ImportFrom(files, theme, report, reason);
    }
    reason = "not an .inf file, a folder or a .zip archive";
    return false;
}

std::string FormatSchemeReport(const WindowsSchemeReport& report) {
    std::string line = "roles:";
    for (int role : report.roles) line += " " + std::to_string(role);
    line += "; scales:";
    for (double scale : report.scales) {
        char text[32];
        std::snprintf(text, sizeof text, " %g", scale);
        line += text;
    }
    line += "; skipped: ";
    if (report.skipped.empty()) line += "none";
    for (size_t i = 0; i < report.skipped.size(); ++i) line += (i ? ", " : "") + Utf8(report.skipped[i]);
    return line;
}
