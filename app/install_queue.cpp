#include "app/install_queue.h"

#include <thread>

#include "app/command_line.h"
#include "base/path_text.h"

static wchar_t LowerAscii(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? wchar_t(c - L'A' + L'a') : c;
}

const InstallConverter* FindInstallConverter(const std::vector<InstallConverter>& converters,
                                             const std::wstring& path) {
    for (const InstallConverter& converter : converters) {
        const std::wstring& ending = converter.extension;
        if (ending.empty() || path.size() < ending.size()) continue;
        bool same = true;
        for (size_t i = 0, offset = path.size() - ending.size(); i < ending.size() && same; ++i)
            same = LowerAscii(path[offset + i]) == LowerAscii(ending[i]);
        if (same) return &converter;
    }
    return nullptr;
}

// The converter writes the theme file itself; the summary names it by the file it wrote.
static void Convert(const std::wstring& path, const std::wstring& themes, const InstallConverter& converter,
                    InstallReport& report) {
    std::wstring destination;
    std::string reason;
    if (converter.convert(path, themes, destination, reason))
        report.installed.push_back(InstallDisplayName(destination));
    else
        report.failed.push_back({InstallDisplayName(destination.empty() ? path : destination), reason});
}

InstallReport InstallBatch(const std::vector<std::wstring>& paths, InstallPlatform& platform,
                           const std::vector<InstallConverter>& converters) {
    InstallReport report;
    for (const std::wstring& path : paths) {
        const std::wstring name = InstallDisplayName(path);
        std::wstring themes;
        if (!platform.ThemesFolder(themes)) {
            report.failed.push_back({name, "The Themes folder path is too long."});
            continue;
        }
        if (const InstallConverter* converter = FindInstallConverter(converters, path)) {
            Convert(path, themes, *converter, report);
            continue;
        }
        if (pathtext::SamePath(pathtext::ParentFolder(path), themes)) {
            report.failed.push_back({name, kAlreadyInstalledReason});
            continue;
        }
        const std::wstring destination = pathtext::Join(themes, pathtext::FileName(path));
        if (!pathtext::FitsMaxPath(path)) {
            report.failed.push_back({name, "The path of the file is too long."});
            continue;
        }
        if (!pathtext::FitsMaxPath(destination)) {
            report.failed.push_back({name, "The file name is too long for the Themes folder."});
            continue;
        }
        std::string reason;
        if (platform.CopyReplacing(path, destination, reason))
            report.installed.push_back(name);
        else
            report.failed.push_back({name, reason});
    }
    return report;
}

InstallQueue::InstallQueue(InstallPlatform& platform, std::chrono::milliseconds quietTime,
                           std::vector<InstallConverter> converters)
    : platform_(platform), quietTime_(quietTime), converters_(std::move(converters)) {}

InstallQueue::~InstallQueue() {
    WaitUntilIdle();
}

void InstallQueue::Add(const std::wstring& argument) {
    std::lock_guard<std::mutex> guard(lock_);
    if (!workerRunning_) {
        // The last worker gave the lock up as its last act: its thread is ending, if not gone.
        if (worker_.joinable()) worker_.join();
        try {
            worker_ = std::thread(&InstallQueue::Worker, this);
        } catch (const std::system_error&) {
            return;  // no worker, no installation: the argument is dropped
        }
        workerRunning_ = true;
    }
    queued_.push_back(cmdline::WithoutQuotes(argument));
    lastArrival_ = std::chrono::steady_clock::now();
}

void InstallQueue::Worker() {
    std::unique_lock<std::mutex> guard(lock_);
    do {
        for (;;) {
            const auto deadline = lastArrival_ + quietTime_;
            if (std::chrono::steady_clock::now() >= deadline) break;
            guard.unlock();
            std::this_thread::sleep_until(deadline);
            guard.lock();
        }
        std::vector<std::wstring> batch;
        batch.swap(queued_);
        // Files arriving while the batch runs or its summary shows wait for the next batch, which
        // this worker runs when the user has dismissed the summary.
        guard.unlock();
        const InstallReport report = InstallBatch(batch, platform_, converters_);
        if (!batch.empty()) platform_.ShowSummary(ComposeInstallSummary(report));
        guard.lock();
    } while (!queued_.empty());
    workerRunning_ = false;
    idle_.notify_all();
}

void InstallQueue::WaitUntilIdle() {
    std::thread finished;
    {
        std::unique_lock<std::mutex> guard(lock_);
        idle_.wait(guard, [this] { return !workerRunning_ && queued_.empty(); });
        finished = std::move(worker_);
    }
    if (finished.joinable()) finished.join();
}
