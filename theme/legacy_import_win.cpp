// The Windows parts of the earlier-format import: the temporary folder and scheme.ini as text.
#include <windows.h>

#include "services/translations_win.h"
#include "theme/legacy_import.h"

namespace {

// Another process may take the name between deleting the unique file and creating the folder.
constexpr int kFolderAttempts = 10;

}  // namespace

bool CreateImportFolder(std::wstring& folder) {
    wchar_t tempPath[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, tempPath);
    if (length == 0 || length > MAX_PATH) return false;
    for (int attempt = 0; attempt < kFolderAttempts; ++attempt) {
        wchar_t unique[MAX_PATH];
        // Creates an empty file with a name unique in the folder; the folder takes its name.
        if (!GetTempFileNameW(tempPath, L"QZ", 0, unique)) return false;
        DeleteFileW(unique);
        if (CreateDirectoryW(unique, nullptr)) {
            folder = unique;
            return true;
        }
    }
    return false;
}

std::wstring ReadSchemeText(const std::wstring& path) {
    return ReadTextFile(path);
}
