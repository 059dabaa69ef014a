#pragma once
// What the program's command line asks for: an installer verb, or theme files to install.
#include <string>

namespace cmdline {

enum class InstallerVerb { None, Install, Uninstall };

// "/install" and "/uninstall" are found as case-sensitive substrings anywhere in the full command
// line (program path included); "/install" wins when both occur.
InstallerVerb FindInstallerVerb(const std::wstring& fullCommandLine);

// True when the argument names a theme file: ".morvanta" or ".tolvxtheme" anywhere in it, in any
// letter case (so "theme.MORVANTA.bak" qualifies).
bool MentionsThemeFile(const std::wstring& argument);

// The argument with every double-quote character removed.
std::wstring WithoutQuotes(const std::wstring& argument);

}  // namespace cmdline
