#pragma once
// Windows path texts handled as plain strings, so that the rules run and are tested on any
// platform. "\" and "/" both separate elements.
#include <string>

namespace pathtext {

constexpr size_t kMaxPath = 260;  // MAX_PATH: characters including the terminator

bool IsSeparator(wchar_t c);

// The last element: the text after the last separator (the whole text without one).
std::wstring FileName(const std::wstring& path);

// The file name without its last extension. A name whose only dot is its first character, and
// the names "." and "..", are their own stem; "name." gives "name".
std::wstring Stem(const std::wstring& path);

// The path without its last element and the separators before it. A root keeps its separator
// ("C:\x" gives "C:\"); a bare file name gives the empty text.
std::wstring ParentFolder(const std::wstring& path);

// Path equality: root names and elements compared character by character, case-sensitively;
// "\" and "/" are equivalent and a run of separators counts as one.
bool SamePath(const std::wstring& a, const std::wstring& b);

// folder + "\" + name.
std::wstring Join(const std::wstring& folder, const std::wstring& name);

// A name any file system can store as one file or folder name: each of \ / : * ? " < > | and every
// control character becomes "_", trailing dots and spaces are dropped (so "." and ".." cannot
// survive), a reserved device name (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, in any case,
// with or without an extension) gets "_" appended, and an empty result becomes emptyName.
std::wstring SafeFileName(const std::wstring& name, const std::wstring& emptyName);

// True when the text and its terminator fit a MAX_PATH buffer.
inline bool FitsMaxPath(const std::wstring& path) {
    return path.size() < kMaxPath;
}

}  // namespace pathtext
