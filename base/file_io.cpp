#include "base/file_io.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/unique_fd_posix.h"
#endif

#include <algorithm>

#include "base/text_encoding.h"

namespace fileio {

namespace {

#ifdef _WIN32
class File {
public:
    File(const std::wstring& path, bool exclusive)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ, exclusive ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~File() {
        if (IsOpen()) CloseHandle(handle_);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Size(uint64_t& size) const {
        LARGE_INTEGER value = {};
        if (!GetFileSizeEx(handle_, &value) || value.QuadPart < 0) return false;
        size = uint64_t(value.QuadPart);
        return true;
    }
    // Reads up to size bytes at the current position into done; false on a read error.
    bool Read(uint8_t* data, size_t size, size_t& done) const {
        done = 0;
        while (done < size) {
            DWORD got = 0;
            const DWORD chunk = DWORD(std::min<size_t>(size - done, 1u << 30));
            if (!::ReadFile(handle_, data + done, chunk, &got, nullptr)) return false;
            if (got == 0) break;
            done += got;
        }
        return true;
    }
    static std::string Error() { return "error " + std::to_string(GetLastError()); }

private:
    HANDLE handle_;
};
#else
class File {
public:
    // Only regular files: a folder is refused as Windows refuses it.
    File(const std::wstring& path, bool) : fd_(::open(text::Utf16ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC)) {
        struct stat info;
        if (fd_.get() >= 0 && fstat(fd_.get(), &info) == 0 && !S_ISREG(info.st_mode)) {
            close(fd_.Release());
            errno = EISDIR;
        }
    }
    bool IsOpen() const { return fd_.get() >= 0; }
    bool Size(uint64_t& size) const {
        struct stat info;
        if (fstat(fd_.get(), &info) != 0 || info.st_size < 0) return false;
        size = uint64_t(info.st_size);
        return true;
    }
    bool Read(uint8_t* data, size_t size, size_t& done) const {
        done = 0;
        while (done < size) {
            const ssize_t got = read(fd_.get(), data + done, size - done);
            if (got < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            if (got == 0) break;
            done += size_t(got);
        }
        return true;
    }
    static std::string Error() { return std::strerror(errno); }

private:
    UniqueFd fd_;
};
#endif

ReadStatus Refuse(ReadStatus status, const char* what, const std::wstring& path, const std::string& why,
                  std::vector<uint8_t>& bytes, std::string* reason) {
    bytes.clear();
    if (reason) *reason = std::string(what) + " '" + text::Utf16ToUtf8(path) + "': " + why;
    return status;
}

}  // namespace

std::filesystem::path ToFsPath(const std::wstring& path) {
#ifdef _WIN32
    return std::filesystem::path(path);
#else
    return std::filesystem::u8path(text::Utf16ToUtf8(path));
#endif
}

std::wstring FromFsPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return path.wstring();
#else
    return text::Utf8ToUtf16(path.u8string());
#endif
}

ReadStatus ReadWhole(const std::wstring& path, std::vector<uint8_t>& bytes, const ReadOptions& options,
                     std::string* reason) {
    bytes.clear();
    File file(path, options.exclusive);
    if (!file.IsOpen()) return Refuse(ReadStatus::kNotOpened, "cannot open", path, File::Error(), bytes, reason);
    uint64_t size = 0;
    if (!file.Size(size)) return Refuse(ReadStatus::kFailed, "cannot size", path, File::Error(), bytes, reason);
    if (size > options.maxBytes || size > uint64_t(SIZE_MAX / 2)) {
        return Refuse(ReadStatus::kTooLarge, "will not read", path,
                      std::to_string(size) + " bytes is more than " + std::to_string(options.maxBytes), bytes, reason);
    }
    size_t done = 0;
    if (options.headerBytes > 0 && options.headerAccepted) {
        bytes.resize(size_t(std::min<uint64_t>(size, options.headerBytes)));
        if (!file.Read(bytes.data(), bytes.size(), done))
            return Refuse(ReadStatus::kFailed, "cannot read", path, File::Error(), bytes, reason);
        bytes.resize(done);
        if (!options.headerAccepted(bytes.data(), bytes.size()))
            return Refuse(ReadStatus::kRefused, "will not read", path, "not a file of the expected kind", bytes,
                          reason);
    }
    bytes.resize(size_t(size));
    size_t rest = 0;
    if (!file.Read(bytes.data() + done, bytes.size() - done, rest))
        return Refuse(ReadStatus::kFailed, "cannot read", path, File::Error(), bytes, reason);
    bytes.resize(done + rest);
    return ReadStatus::kRead;
}

bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes, uint64_t maxBytes) {
    ReadOptions options;
    options.maxBytes = maxBytes;
    return ReadWhole(path, bytes, options) == ReadStatus::kRead;
}

}  // namespace fileio
