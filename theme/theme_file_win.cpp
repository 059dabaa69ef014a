#include <windows.h>

#include <algorithm>
#include <string>

#include "base/text_encoding.h"
#include "theme/theme_file.h"

namespace themefile {
namespace {

constexpr int kReplaceAttempts = 3;
constexpr DWORD kReplacePause = 1000;

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Close() {
        if (!valid()) return true;
        BOOL ok = CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return ok != FALSE;
    }

private:
    HANDLE handle_;
};

std::string Reason(const char* what, const std::wstring& path) {
    return std::string(what) + " '" + text::Utf16ToUtf8(path) + "' (error " + std::to_string(GetLastError()) + ")";
}

}  // namespace

bool WriteFileReplacing(const std::wstring& path, const std::vector<uint8_t>& bytes, std::string* reason) {
    const std::wstring temporary =
        path + L".saving-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount());
    Handle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        if (reason) *reason = Reason("cannot create", temporary);
        return false;
    }
    bool ok = true;
    size_t done = 0;
    while (ok && done < bytes.size()) {
        DWORD wrote = 0;
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        ok = WriteFile(file.get(), bytes.data() + done, chunk, &wrote, nullptr) && wrote == chunk;
        done += wrote;
    }
    ok = ok && FlushFileBuffers(file.get());
    if (!ok && reason) *reason = Reason("cannot write", temporary);
    if (!file.Close() && ok) {
        ok = false;
        if (reason) *reason = Reason("cannot write", temporary);
    }
    if (ok) {
        // Another process (the engine reading the current theme) may hold the target briefly.
        ok = false;
        for (int attempt = 0; attempt < kReplaceAttempts && !ok; ++attempt) {
            if (attempt > 0) Sleep(kReplacePause);
            ok = MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
                 FALSE;
        }
        if (!ok && reason) *reason = Reason("cannot replace", path);
    }
    if (!ok) DeleteFileW(temporary.c_str());
    return ok;
}

}  // namespace themefile
