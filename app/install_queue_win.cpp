#include "app/install_queue_win.h"

#include <memory>

#include "app/command_line.h"
#include "services/folders_win.h"
#include "app/install_queue.h"
#include "services/system_message_win.h"

namespace {

class WindowsInstallPlatform final : public InstallPlatform {
public:
    explicit WindowsInstallPlatform(HWND owner) : owner_(owner) {}

    bool ThemesFolder(std::wstring& folder) override { return GetThemesFolder(folder); }

    bool CopyReplacing(const std::wstring& source, const std::wstring& destination, std::string& reason) override {
        if (CopyFileW(source.c_str(), destination.c_str(), FALSE)) return true;
        reason = SystemErrorReason(GetLastError());
        return false;
    }

    void ShowSummary(const SummaryMessage& message) override {
        MessageBoxW(owner_, message.text.c_str(), message.caption.c_str(), MB_OK | MB_SYSTEMMODAL);
    }

private:
    const HWND owner_;
};

// Created on the first call and kept until the process ends; the detached worker may still run.
WindowsInstallPlatform* gInstallPlatform = nullptr;
InstallQueue* gInstallQueue = nullptr;
std::vector<InstallConverter> gInstallConverters;

}  // namespace

void QueueThemeFile(const std::wstring& argument, HWND window) {
    if (!gInstallQueue) {
        gInstallPlatform = new WindowsInstallPlatform(window);
        gInstallQueue = new InstallQueue(*gInstallPlatform, InstallQueue::kQuietTime, gInstallConverters);
    }
    if (cmdline::MentionsThemeFile(argument) ||
        FindInstallConverter(gInstallConverters, cmdline::WithoutQuotes(argument)))
        gInstallQueue->Add(argument);
}

void SetInstallConverters(std::vector<InstallConverter> converters) {
    gInstallConverters = std::move(converters);
}

void FinishThemeInstallations() {
    if (gInstallQueue) gInstallQueue->WaitUntilIdle();
}
