// morvanta-theme export-xcursor: a theme as an X cursor theme, a folder named after the theme with
// an index.theme and, in cursors/, one X cursor file per role under the name desktops look up, the
// older names as symbolic links to it. The folder is built under a temporary name inside OUT_DIR
// and renamed into place only when complete, so a refused theme leaves nothing behind.
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>

#include "base/path_text.h"
#include "base/text_encoding.h"
#include "graphics/hv_bitmap.h"
#include "theme/cursor_render.h"
#include "tools/theme_tool/any_theme.h"
#include "tools/theme_tool/appearance_options.h"
#include "tools/theme_tool/theme_tool.h"
#include "tools/theme_tool/xcursor_file.h"
#include "tools/theme_tool/xcursor_names.h"

namespace fs = std::filesystem;

namespace {

constexpr wchar_t kUnnamedTheme[] = L"Cursor theme";
constexpr size_t kMaxFolderNameBytes = 255;  // the longest file name Linux file systems store
constexpr int kMinSize = 8;
constexpr int kMaxSize = 512;  // 16 times the default size: the largest scale preview draws
constexpr size_t kMaxSizes = 16;
// Limits on what a theme may make us write. A desktop keeps every image of a file's size in
// memory, and a long animation at five sizes stays far below these; a script cut at the step
// limit below, at every size, does not.
constexpr int kMaxImageSide = 2048;
constexpr uint64_t kMaxFileBytes = uint64_t(64) << 20;
constexpr uint64_t kMaxExportBytes = uint64_t(256) << 20;
// No file holds more steps than that (the animation's pass is cut there), so a strip of more
// frames is not drawn at all.
constexpr int kMaxFrames = 4096;

const char kEntryNames[][12] = {"index.theme", "cursors"};

// Removes a folder it made, with everything in it, unless kept.
class ScratchFolder {
public:
    ~ScratchFolder() {
        std::error_code ignored;
        if (!path_.empty()) fs::remove_all(path_, ignored);
    }
    bool Make(const fs::path& parent, const char* prefix) {
        std::string pattern = (parent / (std::string(prefix) + "XXXXXX")).string();
        if (!mkdtemp(pattern.data())) return false;
        path_ = pattern;
        // mkdtemp makes a folder only its owner may enter; the theme gets the usual permissions.
        const mode_t mask = umask(0);
        umask(mask);
        std::error_code ignored;
        fs::permissions(path_, fs::perms(0777 & ~mask), ignored);
        return true;
    }
    const fs::path& Path() const { return path_; }
    void Keep() { path_.clear(); }

private:
    fs::path path_;
};

// A value of a desktop entry file: one line, with its backslashes and a leading space escaped.
std::string EntryValue(const std::wstring& text) {
    std::string value;
    for (char c : text::Utf16ToUtf8(text)) {
        if (c == '\\')
            value += "\\\\";
        else if (static_cast<unsigned char>(c) < 0x20)
            value += ' ';
        else
            value += c;
    }
    if (!value.empty() && value[0] == ' ') value.replace(0, 1, "\\s");
    return value;
}

bool WriteIndexTheme(const fs::path& path, const CTheme& theme) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "[Icon Theme]\nName=" << EntryValue(theme.DisplayName()) << "\n";
    if (theme.description && !theme.description->empty()) out << "Comment=" << EntryValue(*theme.description) << "\n";
    return static_cast<bool>(out.flush());
}

// Roles with a normal cursor stored at any scale, ascending.
std::set<uint32_t> StoredRoles(const CTheme& theme) {
    std::set<uint32_t> roles;
    for (const auto& [scale, vector] : theme.cursors)
        for (const CCursor& cursor : vector)
            if (cursor.event == 1 && cursor.variant == 1 && cursor.role < 20) roles.insert(cursor.role);
    return roles;
}

// The role drawn at each size where it has an image of its own (a role that keeps the system
// pointer at a size has no image there).
bool DrawRole(CTheme& theme, uint32_t role, const XcursorExportOptions& options, std::vector<XcursorSize>& drawn,
              std::string& reason) {
    drawn.clear();
    for (int size : options.sizes) {
        const std::string where = "role " + std::to_string(role) + " at size " + std::to_string(size);
        theme.Rescale(size / 32.0);
        const CCursor* cursor = theme.FindCursor(role, 1, 1);
        if (!cursor || cursor->standard || !cursor->image || !cursor->image->Bitmap()) continue;
        if (cursor->image->Bitmap()->FrameCount() > kMaxFrames) {
            reason = where + ": more than " + std::to_string(kMaxFrames) + " frames";
            return false;
        }
        XcursorSize entry;
        entry.nominal = size;
        if (!RenderCursor(*cursor, options.appearance, entry.cursor, reason)) {
            reason = where + ": " + reason;
            return false;
        }
        if (entry.cursor.width > kMaxImageSide || entry.cursor.height > kMaxImageSide) {
            reason = where + ": the image is " + std::to_string(entry.cursor.width) + " x " +
                     std::to_string(entry.cursor.height) + " pixels, more than " + std::to_string(kMaxImageSide) +
                     " on a side";
            return false;
        }
        drawn.push_back(std::move(entry));
    }
    return true;
}

// The destination may be replaced when it is absent, or a folder holding nothing but what an
// export writes (an earlier export, or another cursor theme of that name). Anything else is a
// folder of the user's that is never deleted.
bool MayReplace(const fs::path& destination, std::string& reason) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(destination, error);
    if (status.type() == fs::file_type::not_found) return true;
    if (status.type() != fs::file_type::directory) {
        reason = destination.string() + " exists and is not a folder";
        return false;
    }
    for (fs::directory_iterator it(destination, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (std::none_of(std::begin(kEntryNames), std::end(kEntryNames), [&](const char* n) { return name == n; })) {
            reason = destination.string() + " exists and holds more than a cursor theme (" + name + ")";
            return false;
        }
    }
    if (error) reason = destination.string() + ": " + error.message();
    return !error;
}

// Puts the finished folder in the destination's place; an earlier theme there is moved aside first
// and deleted only once the new one is in place.
bool PutInPlace(ScratchFolder& built, const fs::path& destination, std::string& reason) {
    std::error_code error;
    ScratchFolder aside;
    const bool replacing = fs::symlink_status(destination, error).type() == fs::file_type::directory;
    if (replacing) {
        // The old folder takes the place of an empty one, which renaming may replace.
        if (!aside.Make(destination.parent_path(), ".morvanta-xcursor-old-")) {
            reason = destination.parent_path().string() + ": cannot make a temporary folder";
            return false;
        }
        fs::rename(destination, aside.Path(), error);
        if (error) {
            reason = destination.string() + ": cannot move the earlier theme aside: " + error.message();
            return false;
        }
    }
    fs::rename(built.Path(), destination, error);
    if (error) {
        reason = destination.string() + ": " + error.message();
        std::error_code ignored;
        if (replacing) fs::rename(aside.Path(), destination, ignored);
        return false;
    }
    built.Keep();
    return true;
}

// Removes OUT_DIR again, when it was made for an export that failed and is still empty.
class OutFolderGuard {
public:
    OutFolderGuard(fs::path path, bool existed) : path_(std::move(path)), made_(!existed) {}
    ~OutFolderGuard() {
        std::error_code ignored;
        if (made_) fs::remove(path_, ignored);
    }
    void Keep() { made_ = false; }

private:
    fs::path path_;
    bool made_;
};

// One file per role with an image of its own, and its links; roles receives " R" for each written.
bool WriteCursorFiles(CTheme& theme, const XcursorExportOptions& options, const fs::path& cursors, std::string& roles,
                      std::string& reason) {
    uint64_t bytes = 0;
    std::vector<XcursorSize> drawn;
    for (uint32_t role : StoredRoles(theme)) {
        if (!DrawRole(theme, role, options, drawn, reason)) return false;
        if (drawn.empty()) continue;  // the role keeps the system pointer at every size
        const uint64_t fileBytes = XcursorPixelBytes(drawn);
        bytes += fileBytes;
        if (fileBytes > kMaxFileBytes || bytes > kMaxExportBytes) {
            reason = fileBytes > kMaxFileBytes ? "role " + std::to_string(role) + ": its file would hold more than " +
                                                     std::to_string(kMaxFileBytes >> 20) + " MiB of images"
                                               : "the cursor files would hold more than " +
                                                     std::to_string(kMaxExportBytes >> 20) + " MiB of images";
            return false;
        }
        const XcursorRoleNames& names = XcursorNamesOf(role);
        if (!WriteXcursorFile((cursors / names.file).string(), drawn, reason)) {
            reason = "role " + std::to_string(role) + ": " + reason;
            return false;
        }
        for (const char* link : names.links) {
            if (!link) break;
            std::error_code error;
            fs::create_symlink(names.file, cursors / link, error);
            if (error) {
                reason = (cursors / link).string() + ": " + error.message();
                return false;
            }
        }
        roles += " " + std::to_string(role);
    }
    return true;
}

}  // namespace

bool ParseXcursorSizes(const std::string& text, std::vector<int>& sizes, std::string& problem) {
    sizes.clear();
    problem = "--sizes needs a list of sizes from " + std::to_string(kMinSize) + " to " + std::to_string(kMaxSize) +
              " pixels, such as 24,32,48, each once, at most " + std::to_string(kMaxSizes);
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        const std::string part = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        int size = 0;
        if (!ParseWholeNumber(part.c_str(), kMinSize, kMaxSize, size) || !std::isdigit((unsigned char)part[0]) ||
            std::find(sizes.begin(), sizes.end(), size) != sizes.end() || sizes.size() == kMaxSizes)
            return false;
        sizes.push_back(size);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    std::sort(sizes.begin(), sizes.end());
    problem.clear();
    return true;
}

int RunExportXcursor(const std::string& file, const std::string& outDir, const XcursorExportOptions& options,
                     std::ostream& report, std::ostream& err) {
    auto fail = [&](const std::string& reason) {
        err << file << ": " << reason << "\n";
        return 1;
    };
    CTheme theme;
    const ThemeReadResult read = LoadAnyTheme(theme, text::Utf8ToUtf16(file));
    if (!read.ok) return fail(read.error);
    // A loaded theme counts as being at scale 1, where rescaling to 1 would change nothing and a
    // role stored at other scales only would be missing at size 32: no scale is current yet.
    theme.currentScale = 0;

    const std::string folderName = text::Utf16ToUtf8(pathtext::SafeFileName(theme.DisplayName(), kUnnamedTheme));
    if (folderName.size() > kMaxFolderNameBytes)
        return fail("the theme's name is longer than a folder name can be (" + std::to_string(folderName.size()) +
                    " bytes, at most " + std::to_string(kMaxFolderNameBytes) + ")");
    const fs::path out = fs::u8path(outDir);
    const fs::path destination = out / fs::u8path(folderName);
    std::string reason;
    if (!MayReplace(destination, reason)) return fail(reason);

    // Whatever fails from here on leaves OUT_DIR as it was: the scratch folder goes (it is made after
    // the guard, so it is removed before it), then OUT_DIR when it was made for this export.
    std::error_code error;
    OutFolderGuard outGuard(out, fs::exists(out, error));
    fs::create_directories(out, error);
    if (error) return fail(outDir + ": cannot create the folder: " + error.message());
    ScratchFolder built;
    if (!built.Make(out, ".morvanta-xcursor-")) return fail(outDir + ": cannot make a temporary folder");
    fs::create_directory(built.Path() / "cursors", error);
    if (error || !WriteIndexTheme(built.Path() / "index.theme", theme))
        return fail(built.Path().string() + ": cannot write the theme's folder");
    std::string roles;
    if (!WriteCursorFiles(theme, options, built.Path() / "cursors", roles, reason)) return fail(reason);
    if (roles.empty()) return fail("the theme has no cursor with an image of its own to export");
    if (!PutInPlace(built, destination, reason)) return fail(reason);

    std::string sizes;
    for (int size : options.sizes) sizes += " " + std::to_string(size);
    report << destination.string() << ": roles" << roles << "; sizes" << sizes << "\n";
    outGuard.Keep();
    return 0;
}
