#include "services/folders_win.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "base/path_text.h"

namespace {

// Base shell folder, then "\Halberon" and "\Morvanta", each created; then the last element,
// created when it is a folder.
bool BuildDataPath(int csidl, const wchar_t* lastElement, bool lastIsFolder, std::wstring& path) {
    path.clear();
    wchar_t base[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, base))) return false;
    std::wstring built = base;
    CreateDirectoryW(built.c_str(), nullptr);  // an existing folder is the normal case
    for (const wchar_t* element : {L"\\Halberon", L"\\Morvanta"}) {
        built += element;
        if (!pathtext::FitsMaxPath(built)) return false;
        CreateDirectoryW(built.c_str(), nullptr);
    }
    built += lastElement;
    if (!pathtext::FitsMaxPath(built)) return false;
    if (lastIsFolder) CreateDirectoryW(built.c_str(), nullptr);
    path = built;
    return true;
}

}  // namespace

bool GetSoundsFolder(std::wstring& path) {
    return BuildDataPath(CSIDL_COMMON_DOCUMENTS, L"\\Sounds", true, path);
}

bool GetThemesFolder(std::wstring& path) {
    return BuildDataPath(CSIDL_COMMON_DOCUMENTS, L"\\Themes", true, path);
}

bool GetCurrentThemePath(std::wstring& path) {
    return BuildDataPath(CSIDL_LOCAL_APPDATA, L"\\CurrentTheme.Morvanta", false, path);
}

bool GetProgramFolder(std::wstring& path) {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        path.clear();
        return false;
    }
    PathRemoveFileSpecW(buffer);
    path = buffer;
    return true;
}
