#include "theme/legacy_import.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "base/file_io.h"
#include "base/path_text.h"
#include "base/text_encoding.h"
#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "theme/archive_extract.h"
#include "theme/scheme_ini.h"
#include "theme/theme.h"
#include "theme/theme_image.h"
#include "theme/theme_load.h"
#include "theme/theme_tables.h"

namespace fs = std::filesystem;
using namespace legacykeys;

namespace {

// An archive larger than everything it may inflate to is not a theme worth reading.
constexpr uint64_t kMaxArchiveBytes = ExtractLimits{}.maxTotalBytes;
// scheme.ini lines longer than this are cut.
constexpr size_t kMaxDescriptionLineChars = 8221;
// A script section is read into a buffer as large as scheme.ini, but never larger than this: a
// hostile file of hundreds of megabytes must not make every script read allocate that much.
constexpr size_t kMaxScriptChars = 1 << 20;

wchar_t LowerAscii(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? wchar_t(c - L'A' + L'a') : c;
}

bool StartsWithIgnoringCase(const std::wstring& text, const std::wstring& prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (LowerAscii(text[i]) != LowerAscii(prefix[i])) return false;
    return true;
}

bool FileExists(const std::wstring& path) {
    std::error_code error;
    return fs::is_regular_file(fileio::ToFsPath(path), error);
}

// Removes the import folder when the import ends, however it ends.
class FolderRemover {
public:
    explicit FolderRemover(std::wstring folder) : folder_(std::move(folder)) {}
    ~FolderRemover() { DeleteFolderTree(folder_, true); }
    FolderRemover(const FolderRemover&) = delete;
    FolderRemover& operator=(const FolderRemover&) = delete;

private:
    std::wstring folder_;
};

void ExtractInto(const std::wstring& archivePath, const std::wstring& folder, const ExtractLimits& limits) {
    std::vector<uint8_t> archive;
    FileReadOptions options;
    options.maxBytes = kMaxArchiveBytes;
    if (ReadFileWithRetry(archivePath, archive, options) != FileReadStatus::kRead) return;
    FolderSink sink(folder);
    ExtractArchive(archive, sink, limits);  // whatever could not be extracted is simply missing below
}

// The cursors of both passes (normal sections, then "_Down" sections) and the description. False,
// with the reason, when no cursor could be read: the archive is then no theme. A preview needs the
// normal Arrow only, but when that cannot be read the other sections are tried until one can, so
// that a preview refuses an archive exactly when a full import does.
bool ReadScheme(CTheme& theme, const std::wstring& folder, bool preview, std::string& reason) {
    const std::wstring schemePath = FindInFolder(folder, kSchemeFileName);
    if (!FileExists(schemePath)) {
        reason = "the archive holds no scheme.ini (it may be damaged)";
        return false;
    }
    std::error_code error;
    const uintmax_t schemeBytes = fs::file_size(fileio::ToFsPath(schemePath), error);
    if (error) {
        reason = "scheme.ini cannot be read";
        return false;
    }

    std::unique_ptr<SchemeIni> ini = OpenSchemeIni(schemePath);
    int named = 0;
    bool found = false;
    for (uint32_t event = 1; event <= 2 && !(preview && found); ++event) {
        for (int role = 0; role < kPointerRoleCount && !(preview && found); ++role) {
            std::wstring section = kPointerRoles[role].sectionName;
            if (event == 2) section += kDownSuffix;
            CCursor cursor;
            cursor.role = uint32_t(role);
            cursor.event = event;
            cursor.variant = 1;
            cursor.scale = 1.0;
            cursor.stored = 1;
            const LegacySection read = ReadLegacySection(cursor, section, *ini, folder, size_t(schemeBytes));
            if (read == LegacySection::kNoImage) continue;
            ++named;
            if (read != LegacySection::kRead) continue;
            theme.AddCursor(std::move(cursor));
            found = true;
        }
    }
    theme.description = LegacyDescription(ReadSchemeText(schemePath));
    if (found) return true;
    reason =
        named == 0 ? "scheme.ini names no cursor image" : "every cursor image scheme.ini names is missing or damaged";
    return false;
}

// The first line of a script section, without carriage returns.
std::wstring ReadScript(SchemeIni& ini, const std::wstring& section, size_t maxChars) {
    std::wstring script = ini.ReadSectionFirstLine(section + kScriptSuffix, std::min(maxChars, kMaxScriptChars));
    script.erase(std::remove(script.begin(), script.end(), L'\r'), script.end());
    return script;
}

}  // namespace

std::wstring FindInFolder(const std::wstring& folder, const std::wstring& name) {
    const std::wstring exact = JoinPath(folder, name);
#ifndef _WIN32
    std::error_code error;
    if (fs::exists(fileio::ToFsPath(exact), error)) return exact;
    for (fs::directory_iterator it(fileio::ToFsPath(folder), error), end; !error && it != end; it.increment(error)) {
        const std::wstring entry = text::Utf8ToUtf16(it->path().filename().u8string());
        if (entry.size() == name.size() && StartsWithIgnoringCase(entry, name)) return JoinPath(folder, entry);
    }
#endif
    return exact;
}

LegacySection ReadLegacySection(CCursor& cursor, const std::wstring& section, SchemeIni& ini,
                                const std::wstring& folder, size_t schemeBytes) {
    const int frames = ini.ReadInt(section, kFrames, L"0");
    const int stdCursor = ini.ReadInt(section, kStdCursor, L"1");
    // Nothing else matters for a section that keeps the system pointer or has no frames.
    if (frames == 0 || stdCursor != 0) return LegacySection::kNoImage;

    cursor.frames = frames;
    cursor.interval = ini.ReadInt(section, kInterval, L"200");
    cursor.style = ini.ReadInt(section, kAnimationStyle, L"0") != 0 ? 1 : 0;
    cursor.reverse = 0;
    cursor.loop = 1;
    cursor.hotSpotX = ini.ReadInt(section, kHotSpotX, L"0");
    cursor.hotSpotY = ini.ReadInt(section, kHotSpotY, L"0");
    // The script is kept only when the section uses it, so that a theme saved from the import
    // plays exactly what the import showed.
    if (ini.ReadInt(section, kFrameScript, L"0") != 0) cursor.frameScript = ReadScript(ini, section, schemeBytes);

    // PNG first; a BMP is colour-keyed and, with "PerPixel" 1, carries its alpha mask below the image.
    std::unique_ptr<HVBitmap> bitmap;
    const std::wstring pngPath = FindInFolder(folder, section + L".png");
    if (FileExists(pngPath)) {
        bitmap = std::make_unique<HVBitmap>(pngPath, 0);
    } else {
        const std::wstring bmpPath = FindInFolder(folder, section + L".bmp");
        if (!FileExists(bmpPath)) return LegacySection::kImageMissing;
        bitmap = std::make_unique<HVBitmap>(bmpPath, HVB_COLORKEY);
        if (bitmap->IsValid() && ini.ReadInt(section, kPerPixel, L"1") == 1) bitmap->SplitPerPixelMask();
    }
    // Columns beyond the last whole frame are dropped; an image narrower than its frames is empty.
    if (frames > 0) bitmap->CropToFrameMultiple(frames);
    if (!bitmap->IsValid()) return LegacySection::kImageDamaged;

    cursor.name = section;
    cursor.image = MakeAnimationState(section, bitmap.get(), cursor, true);
    bitmap.release();  // the state holds the only reference now
    return LegacySection::kRead;
}

std::wstring LegacyDescription(const std::wstring& schemeText) {
    std::wstring description;
    bool inDescription = false;
    bool first = true;
    size_t pos = 0;
    while (pos < schemeText.size()) {
        size_t end = pos;
        while (end < schemeText.size() && schemeText[end] != L'\r' && schemeText[end] != L'\n') ++end;
        const std::wstring line = schemeText.substr(pos, std::min(end - pos, kMaxDescriptionLineChars));
        pos = end;
        // CR, LF or CR LF ends the line.
        if (pos < schemeText.size() && schemeText[pos] == L'\r') ++pos;
        if (pos < schemeText.size() && schemeText[pos] == L'\n') ++pos;
        if (inDescription) {
            if (!first) description += L"\r\n";
            description += line;
            first = false;
        } else if (StartsWithIgnoringCase(line, kDescriptionHeader)) {
            inDescription = true;
        }
    }
    return description;
}

bool ImportLegacyTheme(CTheme& theme, const std::wstring& archivePath, bool preview, const ExtractLimits& limits,
                       std::string* reason) {
    std::string why;
    if (!FileExists(archivePath)) {
        why = "the archive cannot be found";
    } else {
        theme.path = archivePath;
        std::wstring folder;
        if (!CreateImportFolder(folder)) {
            why = "no temporary folder could be made to unpack it";
        } else {
            FolderRemover remover(folder);
            ExtractInto(archivePath, folder, limits);
            if (ReadScheme(theme, folder, preview, why)) {
                // The archive's own file name names the theme, whatever scheme.ini says.
                theme.name = pathtext::Stem(pathtext::FileName(archivePath));
                theme.contentFlags = kThemeHasCursors;
                return true;
            }
        }
    }
    theme.Reset();
    if (reason) *reason = why;
    return false;
}

void DeleteFolderTree(const std::wstring& folder, bool removeFolder) {
    const fs::path root = fileio::ToFsPath(folder);
    std::error_code error;
    if (removeFolder) {
        fs::remove_all(root, error);
        return;
    }
    std::vector<fs::path> children;
    for (fs::directory_iterator it(root, error), end; !error && it != end; it.increment(error))
        children.push_back(it->path());
    for (const fs::path& child : children) fs::remove_all(child, error);
}
