#include "engine/engine_log_win.h"

#include <windows.h>

#include <cstdio>
#include <mutex>

namespace {

std::mutex gLogLock;
HANDLE gFile = INVALID_HANDLE_VALUE;
size_t gWritten = 0;

void WriteToFile(const std::string& text) {
    if (gFile == INVALID_HANDLE_VALUE || gWritten >= kEngineLogLimit) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%02u:%02u:%02u.%03u ", now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    std::string line = stamp + text + "\r\n";
    if (gWritten + line.size() > kEngineLogLimit) {
        line = std::string(stamp) + "(the log is full: later lines go to the debugger only)\r\n";
        gWritten = kEngineLogLimit;
    } else {
        gWritten += line.size();
    }
    DWORD wrote = 0;
    WriteFile(gFile, line.data(), DWORD(line.size()), &wrote, nullptr);
}

}  // namespace

namespace enginelog {

void OpenFile(const std::wstring& path) {
    std::lock_guard<std::mutex> hold(gLogLock);
    if (gFile != INVALID_HANDLE_VALUE) CloseHandle(gFile);
    // Others may read it while the engine runs.
    gFile = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    gWritten = 0;
}

void Line(const std::string& text) {
    std::lock_guard<std::mutex> hold(gLogLock);
    OutputDebugStringA(("morvanta-engine: " + text + "\n").c_str());
    WriteToFile(text);
}

void Debug(const std::string& text) {
    OutputDebugStringA(("morvanta-engine: " + text + "\n").c_str());
}

}  // namespace enginelog
