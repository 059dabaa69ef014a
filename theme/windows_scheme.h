#pragma once
// Finding the files of a Windows cursor scheme: from the scheme line of its install .inf, or, in
// a folder without one, from files named after the system's cursors. Paths in an .inf are
// install destinations; only their file names count, looked up beside the .inf.
#include <array>
#include <string>
#include <vector>

constexpr int kWindowsCursorCount = 17;

struct WindowsCursorSlot {
    const wchar_t* name;  // the system's name of the cursor
    int role;             // the theme's pointer role; -1 when the theme has none
    int partnerRole;      // a second role that shows the same cursor; -1 when none
};

// In the order of an .inf's scheme line.
extern const WindowsCursorSlot kWindowsCursorSlots[kWindowsCursorCount];

struct SchemeFiles {
    std::wstring name;  // the .inf's scheme name, else the folder's name
    bool fromInf = false;
    std::wstring folder;                                  // where the files were found
    std::array<std::wstring, kWindowsCursorCount> paths;  // per slot; empty when the scheme has none
    std::vector<std::wstring> skipped;                    // "file (why)" for files left out
};

enum class SchemeLookup {
    kFound,
    kNone,     // nothing that makes a scheme
    kRefused,  // a hostile scheme: the whole source is refused
};

// Reads the .inf's scheme. A listed path with a ".." element refuses it; a listed file that is
// not beside the .inf (in any letter case) is skipped as missing.
SchemeLookup ReadSchemeInf(const std::wstring& infPath, SchemeFiles& files, std::string& reason);

// The first .inf with a scheme in the folder, else the ".cur" and ".ani" files named after the
// cursors (any letter case; an .ani wins over a .cur of the same name). Subfolders are searched,
// shallowest first and by name, when the folder holds neither.
SchemeLookup FindScheme(const std::wstring& folder, SchemeFiles& files, std::string& reason);
