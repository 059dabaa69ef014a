// The Windows file layer of theme loading: exclusive opens with retries, and the warning box.
#include <windows.h>

#include <algorithm>

#include "theme/theme_load.h"

namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (valid()) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

// Reads up to size bytes at the current position; false on a read error.
bool ReadFully(HANDLE file, uint8_t* data, size_t size, size_t& done) {
    done = 0;
    while (done < size) {
        DWORD got = 0;
        const DWORD chunk = DWORD(std::min<size_t>(size - done, 1u << 30));
        if (!ReadFile(file, data + done, chunk, &got, nullptr)) return false;
        if (got == 0) break;
        done += got;
    }
    return true;
}

}  // namespace

FileReadStatus ReadFileWithRetry(const std::wstring& path, std::vector<uint8_t>& bytes, const FileReadOptions& options,
                                 int* attemptsUsed) {
    bytes.clear();
    HANDLE raw = INVALID_HANDLE_VALUE;
    int attempts = 0;
    while (attempts < kOpenAttempts) {
        if (attempts > 0) Sleep(options.retryPauseMs);
        ++attempts;
        // No sharing: nobody may write the file while it is read.
        raw = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (raw != INVALID_HANDLE_VALUE) break;
    }
    if (attemptsUsed) *attemptsUsed = attempts;
    FileHandle file(raw);
    if (!file.valid()) return FileReadStatus::kNotOpened;

    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return FileReadStatus::kFailed;
    if (uint64_t(size.QuadPart) > options.maxBytes) return FileReadStatus::kRefused;

    size_t done = 0;
    if (options.headerBytes > 0 && options.headerAccepted) {
        bytes.resize(size_t(std::min<uint64_t>(uint64_t(size.QuadPart), options.headerBytes)));
        if (!ReadFully(file.get(), bytes.data(), bytes.size(), done)) return FileReadStatus::kFailed;
        bytes.resize(done);
        if (!options.headerAccepted(bytes.data(), bytes.size())) return FileReadStatus::kRefused;
    }
    bytes.resize(size_t(size.QuadPart));
    size_t rest = 0;
    if (!ReadFully(file.get(), bytes.data() + done, bytes.size() - done, rest)) return FileReadStatus::kFailed;
    bytes.resize(done + rest);
    return FileReadStatus::kRead;
}

void ShowUnsupportedFeaturesBox() {
    MessageBoxW(nullptr, kUnsupportedFeaturesText, kMessageCaption, MB_OK | MB_ICONWARNING);
}
