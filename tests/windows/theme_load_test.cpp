// Theme loading against real Windows behaviour: a file another process holds exclusively, and the
// unsupported-features warning shown from a worker thread.
#include "theme/theme_load.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <future>
#include <string>

#include "tests/native/theme_bytes.h"
#include "tests/support/temp_folder.h"
#include "theme/theme.h"

namespace {

namespace tb = themebytes;

std::vector<uint8_t> OneCursorFile() {
    tb::File file;
    file.texts[0] = L"Held";
    tb::Animation a;
    a.width = 2;
    a.height = 2;
    a.pixels = tb::Pixels(2, 2, 1);
    file.records.push_back(tb::Cursor(0, 1, a));
    return tb::Build(file);
}

std::wstring ProbePath() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder = self;
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + L"wineprobe.exe";
}

// A second process that opens a file without sharing and keeps it open for some seconds. The
// constructor returns once the file is held.
class FileHolder {
public:
    FileHolder(const std::wstring& path, const wchar_t* seconds) {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        HANDLE writeEnd = nullptr;
        if (!CreatePipe(&read_, &writeEnd, &inherit, 0)) return;
        SetHandleInformation(read_, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = writeEnd;
        startup.hStdError = writeEnd;
        std::wstring command = L"\"" + ProbePath() + L"\" lock-file \"" + path + L"\" " + seconds;
        PROCESS_INFORMATION info = {};
        if (CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
            process_ = info.hProcess;
            CloseHandle(info.hThread);
        }
        CloseHandle(writeEnd);
        char line[64] = {};
        DWORD got = 0;
        if (process_ && ReadFile(read_, line, sizeof line - 1, &got, nullptr))
            held_ = strstr(line, "locked") != nullptr;
    }
    ~FileHolder() {
        if (process_) {
            WaitForSingleObject(process_, 10000);
            CloseHandle(process_);
        }
        if (read_) CloseHandle(read_);
    }
    bool Held() const { return held_; }

private:
    HANDLE read_ = nullptr;
    HANDLE process_ = nullptr;
    bool held_ = false;
};

TEST(ThemeLoadWin, AFileHeldByAnotherProcessForASecondIsReadOnTheSecondAttempt) {
    TempFolder folder;
    const std::wstring path = folder.Write(L"held.morvanta", OneCursorFile());
    {
        FileHolder holder(path, L"1");
        ASSERT_TRUE(holder.Held());
        Sleep(100);  // the first attempt falls well inside the second, the second well after it
        std::vector<uint8_t> bytes;
        int attempts = 0;
        EXPECT_EQ(ReadFileWithRetry(path, bytes, {}, &attempts), FileReadStatus::kRead);
        EXPECT_EQ(attempts, 2);
    }
    {
        FileHolder holder(path, L"1");
        ASSERT_TRUE(holder.Held());
        CTheme theme;
        EXPECT_TRUE(theme.Load(path, false));
        EXPECT_EQ(theme.name, L"Held");
    }
    {
        FileHolder holder(path, L"3");  // longer than the three attempts wait
        ASSERT_TRUE(holder.Held());
        CTheme theme;
        EXPECT_FALSE(theme.Load(path, false));
    }
}

// The message box of a load on a worker thread, found and answered from this thread.
TEST(ThemeLoadWin, UnsupportedContentShowsOneWarningFromTheLoadingThread) {
    TempFolder folder;
    tb::File file;
    file.version = 2002;
    file.records.push_back(tb::Effect(8, 0, tb::Animation{}, 9));
    const std::wstring path = folder.Write(L"newer.morvanta", tb::Build(file));

    CTheme theme;
    auto load = std::async(std::launch::async, [&] { return theme.Load(path, false); });
    HWND box = nullptr;
    for (int i = 0; i < 200 && !box; ++i) {
        box = FindWindowW(L"#32770", kMessageCaption);
        if (!box) Sleep(50);
    }
    ASSERT_NE(box, nullptr);
    wchar_t text[512] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 512);
    EXPECT_EQ(std::wstring(text), kUnsupportedFeaturesText);
    EXPECT_NE(GetWindowLongW(box, GWL_STYLE) & WS_VISIBLE, 0);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(load.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_TRUE(load.get());

    // The same theme loaded again shows nothing more: the load ends without anyone answering.
    auto again = std::async(std::launch::async, [&] { return theme.Load(path, false); });
    const bool ended = again.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    if (!ended) PostMessageW(FindWindowW(L"#32770", kMessageCaption), WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(ended);
    EXPECT_TRUE(again.get());
}

}  // namespace
