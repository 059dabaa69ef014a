// The native file layer of theme loading; Windows has theme_load_win.cpp. POSIX has no share
// modes, so the open is a plain one; the retries still cover a file that appears a moment late.
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "base/text_encoding.h"
#include "base/unique_fd_posix.h"
#include "theme/theme_load.h"

namespace {

// Reads up to size bytes at the current position; the count read, or -1.
ssize_t ReadFully(int fd, uint8_t* data, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t got = read(fd, data + done, size - done);
        if (got < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (got == 0) break;
        done += size_t(got);
    }
    return ssize_t(done);
}

// A regular file opened for reading, or -1. Folders are refused here as Windows refuses them.
int OpenRegularFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

FileReadStatus ReadFileWithRetry(const std::wstring& path, std::vector<uint8_t>& bytes, const FileReadOptions& options,
                                 int* attemptsUsed) {
    bytes.clear();
    const std::string narrow = text::Utf16ToUtf8(path);
    int attempts = 0;
    int raw = -1;
    while (attempts < kOpenAttempts) {
        if (attempts > 0) std::this_thread::sleep_for(std::chrono::milliseconds(options.retryPauseMs));
        ++attempts;
        raw = OpenRegularFile(narrow);
        if (raw >= 0) break;
    }
    if (attemptsUsed) *attemptsUsed = attempts;
    UniqueFd fd(raw);
    if (fd.get() < 0) return FileReadStatus::kNotOpened;

    struct stat info;
    if (fstat(fd.get(), &info) != 0) return FileReadStatus::kFailed;
    const uint64_t size = uint64_t(info.st_size);
    if (size > options.maxBytes) return FileReadStatus::kRefused;

    size_t done = 0;
    if (options.headerBytes > 0 && options.headerAccepted) {
        bytes.resize(size_t(std::min<uint64_t>(size, options.headerBytes)));
        const ssize_t got = ReadFully(fd.get(), bytes.data(), bytes.size());
        if (got < 0) return FileReadStatus::kFailed;
        bytes.resize(size_t(got));
        if (!options.headerAccepted(bytes.data(), bytes.size())) return FileReadStatus::kRefused;
        done = bytes.size();
    }
    bytes.resize(size_t(size));
    const ssize_t got = ReadFully(fd.get(), bytes.data() + done, bytes.size() - done);
    if (got < 0) return FileReadStatus::kFailed;
    bytes.resize(done + size_t(got));  // a file that shrank meanwhile gives what was there
    return FileReadStatus::kRead;
}

void ShowUnsupportedFeaturesBox() {}
#endif
