#include "app/command_line.h"

#include <algorithm>
#include <cwctype>

namespace cmdline {

InstallerVerb FindInstallerVerb(const std::wstring& fullCommandLine) {
    if (fullCommandLine.find(L"/install") != std::wstring::npos) return InstallerVerb::Install;
    if (fullCommandLine.find(L"/uninstall") != std::wstring::npos) return InstallerVerb::Uninstall;
    return InstallerVerb::None;
}

static bool ContainsIgnoringCase(const std::wstring& text, const wchar_t* needle) {
    std::wstring lower(text.size(), L'\0');
    std::transform(text.begin(), text.end(), lower.begin(),
                   [](wchar_t c) { return (c >= L'A' && c <= L'Z') ? wchar_t(c - L'A' + L'a') : c; });
    return lower.find(needle) != std::wstring::npos;
}

bool MentionsThemeFile(const std::wstring& argument) {
    return ContainsIgnoringCase(argument, L".morvanta") || ContainsIgnoringCase(argument, L".tolvxtheme");
}

std::wstring WithoutQuotes(const std::wstring& argument) {
    std::wstring result;
    result.reserve(argument.size());
    for (wchar_t c : argument)
        if (c != L'"') result += c;
    return result;
}

}  // namespace cmdline
