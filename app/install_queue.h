#pragma once
// Collects theme files that arrive close together (a multiple selection opens one process per
// file, each forwarded to the running instance) and installs them as one batch, reported in one
// message. The batch runs on a worker thread a quiet time after the last arrival.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/install_converter.h"
#include "app/install_summary.h"

// What installing needs from the platform.
class InstallPlatform {
public:
    virtual ~InstallPlatform() = default;
    // The Themes folder (created when missing); false when it cannot be composed.
    virtual bool ThemesFolder(std::wstring& folder) = 0;
    // Copies source to destination, replacing an existing file. On failure fills the reason.
    virtual bool CopyReplacing(const std::wstring& source, const std::wstring& destination, std::string& reason) = 0;
    // Shows the summary; returns when the user has dismissed it. Called on the worker thread,
    // without the queue's lock: files queued meanwhile make the next batch.
    virtual void ShowSummary(const SummaryMessage& message) = 0;
};

// Installs every path in order into the Themes folder: a path a converter takes is converted into
// it, a file already lying there is reported as already installed, every other one is copied over
// any file of the same name.
InstallReport InstallBatch(const std::vector<std::wstring>& paths, InstallPlatform& platform,
                           const std::vector<InstallConverter>& converters = {});

class InstallQueue {
public:
    static constexpr std::chrono::milliseconds kQuietTime{250};

    explicit InstallQueue(InstallPlatform& platform, std::chrono::milliseconds quietTime = kQuietTime,
                          std::vector<InstallConverter> converters = {});
    ~InstallQueue();
    InstallQueue(const InstallQueue&) = delete;
    InstallQueue& operator=(const InstallQueue&) = delete;

    // Queues one argument that names a theme file (quotes are removed here). Starts the worker
    // when none runs; every arrival moves the batch's start a quiet time further on.
    void Add(const std::wstring& argument);

    // Blocks until no worker runs and the queue is empty, and the worker's thread has ended: a
    // process must not end while that thread is still on its way out (for orderly shutdown and
    // tests).
    void WaitUntilIdle();

private:
    void Worker();

    InstallPlatform& platform_;
    const std::chrono::milliseconds quietTime_;
    const std::vector<InstallConverter> converters_;
    // Guards every member below. Never held while a batch runs or its summary shows: the window's
    // thread queues files and must never wait for the user.
    std::mutex lock_;
    std::condition_variable idle_;
    bool workerRunning_ = false;
    std::thread worker_;  // the running worker, or the last one until it is joined
    std::vector<std::wstring> queued_;
    std::chrono::steady_clock::time_point lastArrival_;
};
