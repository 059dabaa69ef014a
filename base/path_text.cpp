#include "base/path_text.h"

#include <vector>

namespace pathtext {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

static size_t LastSeparator(const std::wstring& path) {
    for (size_t i = path.size(); i > 0; --i)
        if (IsSeparator(path[i - 1])) return i - 1;
    return std::wstring::npos;
}

std::wstring FileName(const std::wstring& path) {
    const size_t sep = LastSeparator(path);
    return sep == std::wstring::npos ? path : path.substr(sep + 1);
}

std::wstring Stem(const std::wstring& path) {
    const std::wstring name = FileName(path);
    if (name == L"." || name == L"..") return name;
    const size_t dot = name.rfind(L'.');
    if (dot == std::wstring::npos || dot == 0) return name;
    return name.substr(0, dot);
}

// Length of the root name: "C:" or "\\server\share" (UNC), else 0.
static size_t RootNameLength(const std::wstring& path) {
    if (path.size() >= 2 && path[1] == L':') return 2;
    if (path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2])) {
        size_t i = 2;
        while (i < path.size() && !IsSeparator(path[i])) ++i;  // server
        return i;
    }
    return 0;
}

std::wstring ParentFolder(const std::wstring& path) {
    const size_t sep = LastSeparator(path);
    if (sep == std::wstring::npos) {
        const size_t root = RootNameLength(path);
        return path.substr(0, root);  // "C:name" has the parent "C:"
    }
    size_t end = sep;
    while (end > 0 && IsSeparator(path[end - 1])) --end;
    const size_t rootName = RootNameLength(path);
    if (end <= rootName) return path.substr(0, sep + 1 > rootName ? rootName + 1 : sep + 1);  // keep the root
    return path.substr(0, end);
}

struct SplitPath {
    std::wstring rootName;
    bool rootDirectory = false;
    std::vector<std::wstring> elements;
};

static SplitPath Split(const std::wstring& path) {
    SplitPath result;
    const size_t rootName = RootNameLength(path);
    for (size_t i = 0; i < rootName; ++i) result.rootName += IsSeparator(path[i]) ? L'\\' : path[i];
    size_t i = rootName;
    if (i < path.size() && IsSeparator(path[i])) result.rootDirectory = true;
    std::wstring element;
    for (; i < path.size(); ++i) {
        if (IsSeparator(path[i])) {
            if (!element.empty()) result.elements.push_back(element);
            element.clear();
        } else {
            element += path[i];
        }
    }
    if (!element.empty()) result.elements.push_back(element);
    return result;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    const SplitPath x = Split(a), y = Split(b);
    return x.rootName == y.rootName && x.rootDirectory == y.rootDirectory && x.elements == y.elements;
}

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
    return folder + L"\\" + name;
}

static bool IsReservedDeviceName(const std::wstring& name) {
    // The device names count with any extension: "con.txt" is the console too.
    std::wstring stem = name.substr(0, name.find(L'.'));
    for (wchar_t& c : stem)
        if (c >= L'a' && c <= L'z') c = wchar_t(c - L'a' + L'A');
    while (!stem.empty() && stem.back() == L' ') stem.pop_back();
    if (stem == L"CON" || stem == L"PRN" || stem == L"AUX" || stem == L"NUL") return true;
    return stem.size() == 4 && (stem.compare(0, 3, L"COM") == 0 || stem.compare(0, 3, L"LPT") == 0) &&
           stem[3] >= L'1' && stem[3] <= L'9';
}

std::wstring SafeFileName(const std::wstring& name, const std::wstring& emptyName) {
    std::wstring safe;
    for (wchar_t c : name) {
        const bool invalid = c < 0x20 || std::wstring(L"\\/:*?\"<>|").find(c) != std::wstring::npos;
        safe += invalid ? L'_' : c;
    }
    while (!safe.empty() && (safe.back() == L'.' || safe.back() == L' ')) safe.pop_back();
    if (safe.empty()) safe = emptyName;
    if (IsReservedDeviceName(safe)) safe += L'_';
    return safe;
}

}  // namespace pathtext
