// Handing changes to the engine, against the tests' stand-in engine (Morvanta.exe beside this test
// program, a real second process with a window of the engine's class that logs what it receives).
#include "app/engine_control_win.h"

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "services/folders_win.h"
#include "services/settings_win.h"

namespace {

std::wstring EngineLogPath() {
    std::wstring folder;
    GetProgramFolder(folder);
    return folder + L"\\engine.log";
}

std::vector<std::string> EngineLog() {
    std::vector<std::string> lines;
    std::ifstream file{std::filesystem::path(EngineLogPath())};
    for (std::string line; std::getline(file, line);) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

template <typename Condition>
bool WaitFor(Condition condition, DWORD timeoutMs = 15000) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() > end) return false;
        Sleep(50);
    }
    return true;
}

// The ids of the running engine processes (the stand-in is Morvanta.exe).
std::vector<DWORD> EngineProcesses() {
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return ids;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        if (_wcsicmp(entry.szExeFile, kEngineProgram) == 0) ids.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return ids;
}

// Ends every engine process, one that is still starting included, and waits until none runs: an
// engine a test started must not take the next test's messages. A process started a moment ago
// may not have its window yet, so windows are closed until the processes are gone.
void CloseEngines() {
    const bool ended = WaitFor(
        [] {
            while (HWND engine = FindEngineWindow()) {
                PostMessageW(engine, WM_CLOSE, 0, 0);
                WaitFor([&] { return !IsWindow(engine); }, 5000);
            }
            return EngineProcesses().empty();
        },
        15000);
    if (ended) return;
    for (DWORD id : EngineProcesses()) {
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
    ADD_FAILURE() << "an engine did not end when its window was closed";
}

// The Run key's value, or nullopt-like "<none>" when it is missing.
std::wstring RunValue(const wchar_t* name) {
    wchar_t buffer[1024] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKeyPath, name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return L"<none>";
    return buffer;
}

void SetRunValue(const wchar_t* name, const std::wstring& text) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kRunKeyPath, name, REG_SZ, text.c_str(),
                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class EngineControl : public ::testing::Test {
protected:
    void SetUp() override {
        CloseEngines();
        DeleteFileW(EngineLogPath().c_str());
        CreateProductKeys();
        HKEY run = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &run, nullptr);
        if (run) RegCloseKey(run);
        SetRunValue(kOldAutostartValue, L"\"C:\\old\\Tolvaris.exe\"");
        ASSERT_TRUE(GetCurrentThemePath(currentTheme));
        std::ofstream(std::filesystem::path(currentTheme)).put('x');
    }
    void TearDown() override { CloseEngines(); }

    void StartEngine() {
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        std::wstring command = L"\"" + EnginePath() + L"\"";
        ASSERT_TRUE(
            CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        ASSERT_TRUE(WaitFor([] { return FindEngineWindow() != nullptr; }));
    }

    std::wstring currentTheme;
};

TEST_F(EngineControl, WithAThemeAndNoEngineTheAutostartIsSetAndTheEngineStartsPlainly) {
    ApplyToEngine(nullptr, true);
    EXPECT_EQ(RunValue(kAutostartValue), L"\"" + EnginePath() + L"\"");
    EXPECT_EQ(RunValue(kOldAutostartValue), L"<none>");
    EXPECT_TRUE(FileExists(currentTheme));
    ASSERT_TRUE(WaitFor([] { return !EngineLog().empty(); }));
    EXPECT_EQ(EngineLog(), std::vector<std::string>{"start"});
}

TEST_F(EngineControl, WithoutAThemeTheFileAndAutostartGoAndTheEngineRestoresTheSystemPointers) {
    SetRunValue(kAutostartValue, L"\"x\"");
    ApplyToEngine(nullptr, false);
    EXPECT_FALSE(FileExists(currentTheme));
    EXPECT_EQ(RunValue(kAutostartValue), L"<none>");
    EXPECT_EQ(RunValue(kOldAutostartValue), L"<none>");
    ASSERT_TRUE(WaitFor([] { return !EngineLog().empty(); }));
    EXPECT_EQ(EngineLog(), std::vector<std::string>{"start /RestoreSystemCursors"});
}

// The lines of the log from index `from` on, sorted: a message sent from another thread reaches
// the engine before posted messages still waiting in its queue, so the two messages of one apply
// may arrive in either order.
std::vector<std::string> SortedFrom(size_t from) {
    std::vector<std::string> lines = EngineLog();
    lines.erase(lines.begin(), lines.begin() + std::min(from, lines.size()));
    std::sort(lines.begin(), lines.end());
    return lines;
}

TEST_F(EngineControl, ARunningEngineIsToldAndNoSecondOneStarts) {
    StartEngine();
    ASSERT_TRUE(WaitFor([] { return EngineLog().size() >= 1; }));
    ASSERT_EQ(EngineLog()[0], "start");
    bool prepared = false;
    ApplyToEngine(nullptr, true, [&] { prepared = true; });
    EXPECT_TRUE(prepared);
    ASSERT_TRUE(WaitFor([] { return EngineLog().size() >= 3; }));
    EXPECT_EQ(SortedFrom(1), (std::vector<std::string>{"posted 1033 0 0", "sent 1031 0 0"}));

    ApplyToEngine(nullptr, false);
    ASSERT_TRUE(WaitFor([] { return EngineLog().size() >= 5; }));
    EXPECT_EQ(SortedFrom(3), (std::vector<std::string>{"posted 1033 0 0", "sent 1027 0 0"}));
    Sleep(300);
    EXPECT_EQ(EngineLog().size(), 5u);  // no second start
}

TEST_F(EngineControl, TheInstallersResetRemovesTheThemeAndAutostartAndStartsTheEngineOnce) {
    SetRunValue(kAutostartValue, L"\"x\"");
    ResetEngine();
    EXPECT_FALSE(FileExists(currentTheme));
    EXPECT_EQ(RunValue(kAutostartValue), L"<none>");
    EXPECT_EQ(RunValue(kOldAutostartValue), L"<none>");
    ASSERT_TRUE(WaitFor([] { return !EngineLog().empty(); }));
    Sleep(300);
    EXPECT_EQ(EngineLog(), std::vector<std::string>{"start"});

    // Running now: the reset tells it instead.
    ASSERT_TRUE(WaitFor([] { return FindEngineWindow() != nullptr; }));
    ResetEngine();
    ASSERT_TRUE(WaitFor([] { return EngineLog().size() >= 2; }));
    EXPECT_EQ(EngineLog()[1], "sent 1031 0 0");
}

TEST_F(EngineControl, TheTrailPreviewMessageCarriesEnteringAndLeaving) {
    StartEngine();
    TellEngineTrailPreview(true);
    TellEngineTrailPreview(false);
    ASSERT_TRUE(WaitFor([] { return EngineLog().size() >= 3; }));
    EXPECT_EQ(EngineLog()[1], "sent 1034 1 0");
    EXPECT_EQ(EngineLog()[2], "sent 1034 0 0");
}

}  // namespace
