// The native (POSIX) side of saving theme files; Windows has theme_file_win.cpp.
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "base/text_encoding.h"
#include "base/unique_fd_posix.h"
#include "theme/theme_file.h"

namespace themefile {
namespace {

std::string Reason(const std::string& what, const std::string& path) {
    return what + " '" + path + "': " + std::strerror(errno);
}

bool WriteAll(int fd, const uint8_t* data, size_t size) {
    while (size > 0) {
        ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

}  // namespace

bool WriteFileReplacing(const std::wstring& path, const std::vector<uint8_t>& bytes, std::string* reason) {
    const std::string target = text::Utf16ToUtf8(path);
    std::random_device random;
    const std::string temporary = target + ".saving-" + std::to_string(random() & 0xFFFFFF);
    UniqueFd fd(open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (fd.get() < 0) {
        if (reason) *reason = Reason("cannot create", temporary);
        return false;
    }
    bool ok = WriteAll(fd.get(), bytes.data(), bytes.size()) && fsync(fd.get()) == 0;
    if (!ok && reason) *reason = Reason("cannot write", temporary);
    if (close(fd.Release()) != 0 && ok) {
        ok = false;
        if (reason) *reason = Reason("cannot write", temporary);
    }
    if (ok && rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        if (reason) *reason = Reason("cannot replace", target);
    }
    if (!ok) unlink(temporary.c_str());
    return ok;
}

}  // namespace themefile
#endif
