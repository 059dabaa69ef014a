#include "theme/windows_scheme.h"

#include <algorithm>
#include <deque>
#include <filesystem>

#include "base/file_io.h"
#include "base/path_text.h"
#include "base/text_encoding.h"
#include "theme/legacy_import.h"
#include "theme/theme_load.h"
#include "theme/windows_inf.h"

namespace fs = std::filesystem;

const WindowsCursorSlot kWindowsCursorSlots[kWindowsCursorCount] = {
    {L"Arrow", 0, -1},     {L"Help", 1, -1},      {L"AppStarting", 2, -1}, {L"Wait", 3, -1},     {L"Crosshair", 4, -1},
    {L"IBeam", 5, -1},     {L"NWPen", 6, -1},     {L"No", 7, -1},          {L"SizeNS", 8, 9},    {L"SizeWE", 10, 11},
    {L"SizeNWSE", 12, 13}, {L"SizeNESW", 14, 15}, {L"SizeAll", 16, -1},    {L"UpArrow", 17, -1}, {L"Hand", 18, -1},
    {L"Pin", -1, -1},      {L"Person", -1, -1},
};

namespace {

constexpr uint64_t kMaxInfBytes = 1 << 20;
// The search below a folder stops this deep and after this many folders.
constexpr int kMaxSearchDepth = 3;
constexpr size_t kMaxSearchedFolders = 256;

struct FolderEntry {
    std::wstring name;
    bool folder = false;
};

std::wstring LowerAscii(std::wstring text) {
    for (wchar_t& c : text)
        if (c >= L'A' && c <= L'Z') c = wchar_t(c - L'A' + L'a');
    return text;
}

// The folder's entries sorted by name; links are not followed into.
std::vector<FolderEntry> ListFolder(const std::wstring& folder) {
    std::vector<FolderEntry> entries;
    std::error_code error;
    for (fs::directory_iterator it(fileio::ToFsPath(folder), error), end; !error && it != end; it.increment(error)) {
        std::error_code kind;
        if (it->is_symlink(kind)) continue;
        const bool isFolder = it->is_directory(kind);
        if (isFolder || it->is_regular_file(kind))
            entries.push_back({fileio::FromFsPath(it->path().filename()), isFolder});
    }
    // Sorted ignoring case, so that "Hand.ani" comes before "hand.cur" on every file system.
    std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
        return std::make_pair(LowerAscii(a.name), a.name) < std::make_pair(LowerAscii(b.name), b.name);
    });
    return entries;
}

bool IsFile(const std::wstring& path) {
    std::error_code error;
    return fs::is_regular_file(fileio::ToFsPath(path), error);
}

bool NamesParentFolder(const std::wstring& path) {
    size_t start = 0;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || pathtext::IsSeparator(path[i])) {
            if (path.compare(start, i - start, L"..") == 0 && i - start == 2) return true;
            start = i + 1;
        }
    }
    return false;
}

// Files named after the cursors. kNone when the folder holds none.
SchemeLookup CollectNamedFiles(const std::wstring& folder, SchemeFiles& files) {
    SchemeFiles found;
    bool any = false;
    // ".ani" sorts before ".cur", so an animated cursor wins over a still one of the same name.
    for (const FolderEntry& entry : ListFolder(folder)) {
        const std::wstring lower = LowerAscii(entry.name);
        if (entry.folder || lower.size() < 5) continue;
        const std::wstring extension = lower.substr(lower.size() - 4);
        if (extension != L".cur" && extension != L".ani") continue;
        const std::wstring stem = lower.substr(0, lower.size() - 4);
        int slot = -1;
        for (int i = 0; i < kWindowsCursorCount; ++i)
            if (stem == LowerAscii(kWindowsCursorSlots[i].name)) slot = i;
        if (slot < 0) {
            found.skipped.push_back(entry.name + L" (not named after a cursor)");
        } else if (!found.paths[size_t(slot)].empty()) {
            found.skipped.push_back(entry.name + L" (" + pathtext::FileName(found.paths[size_t(slot)]) + L" is used)");
        } else {
            found.paths[size_t(slot)] = JoinPath(folder, entry.name);
            any = true;
        }
    }
    if (!any) return SchemeLookup::kNone;
    found.name = pathtext::FileName(folder);
    found.folder = folder;
    files = std::move(found);
    return SchemeLookup::kFound;
}

SchemeLookup LookInFolder(const std::wstring& folder, SchemeFiles& files, std::string& reason) {
    for (const FolderEntry& entry : ListFolder(folder)) {
        if (entry.folder || !EndsWithIgnoringCase(entry.name, L".inf")) continue;
        std::string why;
        const SchemeLookup lookup = ReadSchemeInf(JoinPath(folder, entry.name), files, why);
        if (lookup == SchemeLookup::kRefused) reason = why;
        if (lookup != SchemeLookup::kNone) return lookup;
    }
    return CollectNamedFiles(folder, files);
}

}  // namespace

SchemeLookup ReadSchemeInf(const std::wstring& infPath, SchemeFiles& files, std::string& reason) {
    const std::string where = text::Utf16ToUtf8(pathtext::FileName(infPath)) + ": ";
    std::vector<uint8_t> bytes;
    if (!fileio::ReadWholeFile(infPath, bytes, kMaxInfBytes)) {
        reason = where + "cannot read the file (or it is larger than 1 MiB)";
        return SchemeLookup::kNone;
    }
    InfScheme scheme;
    if (!TryReadInfScheme(DecodeInfText(std::string(bytes.begin(), bytes.end())), scheme, reason)) {
        reason = where + reason;
        return SchemeLookup::kNone;
    }
    for (const std::wstring& listed : scheme.files) {
        if (NamesParentFolder(listed)) {
            reason = where + "names a file outside its folder: " + text::Utf16ToUtf8(listed);
            return SchemeLookup::kRefused;
        }
    }
    SchemeFiles found;
    found.name = scheme.name;
    found.fromInf = true;
    found.folder = pathtext::ParentFolder(infPath);
    if (found.folder.empty()) found.folder = L".";
    for (size_t i = 0; i < scheme.files.size() && i < size_t(kWindowsCursorCount); ++i) {
        const std::wstring name = pathtext::FileName(scheme.files[i]);
        if (name.empty()) continue;
        const std::wstring path = FindInFolder(found.folder, name);
        if (IsFile(path))
            found.paths[i] = path;
        else
            found.skipped.push_back(name + L" (missing)");
    }
    files = std::move(found);
    return SchemeLookup::kFound;
}

SchemeLookup FindScheme(const std::wstring& folder, SchemeFiles& files, std::string& reason) {
    std::deque<std::pair<std::wstring, int>> pending{{folder, 0}};
    size_t searched = 0;
    while (!pending.empty() && searched++ < kMaxSearchedFolders) {
        const auto [current, depth] = pending.front();
        pending.pop_front();
        const SchemeLookup lookup = LookInFolder(current, files, reason);
        if (lookup != SchemeLookup::kNone) return lookup;
        if (depth >= kMaxSearchDepth) continue;
        for (const FolderEntry& entry : ListFolder(current))
            if (entry.folder) pending.emplace_back(JoinPath(current, entry.name), depth + 1);
    }
    reason = "no .inf with a cursor scheme and no files named after the cursors";
    return SchemeLookup::kNone;
}
