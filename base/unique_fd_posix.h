#pragma once
// Owner of a POSIX file descriptor (the native build's file layers): closes it when it ends.
#ifndef _WIN32
#include <unistd.h>

class UniqueFd {
public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() {
        if (fd_ >= 0) close(fd_);
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int get() const { return fd_; }
    // Gives the descriptor up without closing it (the caller closes it and checks the result).
    int Release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};
#endif
