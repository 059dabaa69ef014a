#include "engine/cursor_cache.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/file_io.h"
#include "base/text_encoding.h"
#include "theme/theme_load.h"

namespace fs = std::filesystem;

namespace {

constexpr wchar_t kIndexName[] = L"index.txt";
constexpr uint64_t kMaxIndexBytes = 64 * 1024;

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text)
        if (c >= L'A' && c <= L'Z') c = wchar_t(c - L'A' + L'a');
    return text;
}

bool IsCursorFile(const std::wstring& name) {
    const std::wstring lower = Lower(name);
    auto endsWith = [&](const wchar_t* suffix) {
        const size_t length = std::char_traits<wchar_t>::length(suffix);
        return lower.size() > length && lower.compare(lower.size() - length, length, suffix) == 0;
    };
    return endsWith(L".cur") || endsWith(L".ani");
}

}  // namespace

std::wstring CursorCacheFolder(const std::wstring& currentThemePath) {
    const size_t slash = currentThemePath.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L"Cursors";
    return currentThemePath.substr(0, slash + 1) + L"Cursors";
}

std::wstring CursorCache::PathOf(const std::wstring& fileName) const {
    return JoinPath(folder_, fileName);
}

bool CursorCache::Prepare(std::string& reason) const {
    std::error_code error;
    fs::create_directories(fileio::ToFsPath(folder_), error);
    if (error || !fs::is_directory(fileio::ToFsPath(folder_), error)) {
        reason = "the cursor cache folder cannot be made: " + error.message();
        return false;
    }
    return true;
}

bool CursorCache::Write(const std::wstring& fileName, const std::vector<uint8_t>& bytes, std::string& reason) const {
    static std::atomic<unsigned> serial{0};
    const fs::path target = fileio::ToFsPath(PathOf(fileName));
    fs::path temporary = target;
    temporary += ".writing-" + std::to_string(serial++);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            reason = "cannot write " + temporary.u8string();
            return false;
        }
    }
    std::error_code error;
    fs::rename(temporary, target, error);
    if (error) {
        // A system whose rename does not replace: the old file goes first.
        std::error_code ignored;
        fs::remove(target, ignored);
        error.clear();
        fs::rename(temporary, target, error);
    }
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        reason = "cannot replace " + target.u8string() + ": " + error.message();
        return false;
    }
    return true;
}

int CursorCache::RemoveAllBut(const std::vector<std::wstring>& keep) const {
    std::vector<std::wstring> kept;
    for (const std::wstring& name : keep) kept.push_back(Lower(name));
    std::vector<fs::path> doomed;
    std::error_code error;
    for (fs::directory_iterator it(fileio::ToFsPath(folder_), error), end; !error && it != end; it.increment(error)) {
        std::error_code kind;
        if (!it->is_regular_file(kind)) continue;
        const std::wstring name = fileio::FromFsPath(it->path().filename());
        if (IsCursorFile(name) && std::find(kept.begin(), kept.end(), Lower(name)) == kept.end())
            doomed.push_back(it->path());
    }
    int removed = 0;
    for (const fs::path& path : doomed) {
        std::error_code ignored;
        if (fs::remove(path, ignored)) ++removed;
    }
    return removed;
}

std::map<std::wstring, uint64_t> CursorCache::ReadIndex() const {
    std::map<std::wstring, uint64_t> index;
    std::vector<uint8_t> bytes;
    if (!fileio::ReadWholeFile(PathOf(kIndexName), bytes, kMaxIndexBytes)) return index;
    // One listing of the folder rather than a look at each file: every file system call is a round
    // trip on some systems.
    std::vector<std::wstring> present;
    std::error_code error;
    for (fs::directory_iterator it(fileio::ToFsPath(folder_), error), end; !error && it != end; it.increment(error)) {
        std::error_code kind;
        if (it->is_regular_file(kind)) present.push_back(fileio::FromFsPath(it->path().filename()));
    }
    std::istringstream lines(std::string(bytes.begin(), bytes.end()));
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() < 18 || line[16] != ' ') continue;
        char* end = nullptr;
        const std::string digits = line.substr(0, 16);
        const uint64_t key = std::strtoull(digits.c_str(), &end, 16);
        if (end != digits.c_str() + 16) continue;
        const std::wstring name = text::Utf8ToUtf16(line.substr(17));
        // Only plain names of cursor files: an index written by hand cannot point outside.
        if (!IsCursorFile(name) || name.find_first_of(L"\\/:") != std::wstring::npos) continue;
        if (std::find(present.begin(), present.end(), name) != present.end()) index[name] = key;
    }
    return index;
}

bool CursorCache::WriteIndex(const std::map<std::wstring, uint64_t>& index, std::string& reason) const {
    std::string text;
    for (const auto& [name, key] : index) {
        char digits[20];
        std::snprintf(digits, sizeof digits, "%016llx ", static_cast<unsigned long long>(key));
        text += digits + text::Utf16ToUtf8(name) + "\n";
    }
    return Write(kIndexName, std::vector<uint8_t>(text.begin(), text.end()), reason);
}
