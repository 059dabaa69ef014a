// The application shell's Win32 edges: data folders, system error texts and the version text.
#include <windows.h>
#include <shlobj.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include "services/folders_win.h"
#include "app/program_version_win.h"
#include "services/system_message_win.h"

namespace {

std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

void RemoveTree(const std::wstring& folder) {
    std::wstring from = folder;
    from.push_back(L'\0');  // SHFileOperation wants a double-terminated list
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NO_UI;
    SHFileOperationW(&operation);
}

bool IsFolder(const std::wstring& path) {
    return PathIsDirectoryW(path.c_str()) != FALSE;
}

}  // namespace

TEST(Folders, ThemesAndSoundsAreCreatedUnderTheCommonDocumentsFolder) {
    const std::wstring base = ShellFolder(CSIDL_COMMON_DOCUMENTS) + L"\\Halberon";
    RemoveTree(base);
    ASSERT_FALSE(IsFolder(base));

    std::wstring themes, sounds;
    ASSERT_TRUE(GetThemesFolder(themes));
    EXPECT_EQ(themes, base + L"\\Morvanta\\Themes");
    EXPECT_TRUE(IsFolder(themes));
    ASSERT_TRUE(GetSoundsFolder(sounds));
    EXPECT_EQ(sounds, base + L"\\Morvanta\\Sounds");
    EXPECT_TRUE(IsFolder(sounds));
}

TEST(Folders, TheCurrentThemePathCreatesItsFoldersButNotTheFile) {
    const std::wstring base = ShellFolder(CSIDL_LOCAL_APPDATA) + L"\\Halberon";
    RemoveTree(base);
    std::wstring current;
    ASSERT_TRUE(GetCurrentThemePath(current));
    EXPECT_EQ(current, base + L"\\Morvanta\\CurrentTheme.Morvanta");
    EXPECT_TRUE(IsFolder(base + L"\\Morvanta"));
    EXPECT_FALSE(PathFileExistsW(current.c_str()));
}

TEST(Folders, TheProgramFolderHasNoTrailingSeparator) {
    std::wstring folder;
    ASSERT_TRUE(GetProgramFolder(folder));
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), L'\\');
    EXPECT_TRUE(PathFileExistsW((folder + L"\\morvanta_win_tests.exe").c_str()));
}

TEST(SystemErrorReason, IsTheSystemTextWithoutTrailingWhiteSpace) {
    const std::string reason = SystemErrorReason(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(reason.empty());
    EXPECT_NE(reason, "unknown error");
    EXPECT_FALSE(isspace(static_cast<unsigned char>(reason.back())));
    EXPECT_EQ(SystemErrorReason(0x2000FFFF), "unknown error");  // a code the system has no text for
}

TEST(ProgramVersion, ReadsTheVersionBlockOfTheRunningProgram) {
    EXPECT_EQ(GetProgramVersion(), L"2.01");
}
