#pragma once
// Comparisons of UTF-16 texts without regard to letter case, as names, extensions and state
// names are compared throughout the program. Each character is folded with towlower, so the result
// does not depend on the platform's locale tables for the letters this program's texts use.
#include <cwctype>
#include <string>

namespace textcmp {

inline bool SameLetter(wchar_t a, wchar_t b) {
    return a == b || std::towlower(static_cast<wint_t>(a)) == std::towlower(static_cast<wint_t>(b));
}

inline bool EqualIgnoringCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!SameLetter(a[i], b[i])) return false;
    return true;
}

inline bool StartsWithIgnoringCase(const std::wstring& text, const std::wstring& prefix) {
    if (prefix.size() > text.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (!SameLetter(text[i], prefix[i])) return false;
    return true;
}

inline bool EndsWithIgnoringCase(const std::wstring& text, const std::wstring& suffix) {
    if (suffix.size() > text.size()) return false;
    const size_t start = text.size() - suffix.size();
    for (size_t i = 0; i < suffix.size(); ++i)
        if (!SameLetter(text[start + i], suffix[i])) return false;
    return true;
}

}  // namespace textcmp
