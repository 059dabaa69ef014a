#include "services/system_message_win.h"

#include <windows.h>

std::string SystemErrorReason(uint32_t code) {
    char buffer[1024] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                        MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT), buffer, sizeof buffer, nullptr);
    std::string reason(buffer, length);
    while (!reason.empty() &&
           (reason.back() == ' ' || reason.back() == '\t' || reason.back() == '\r' || reason.back() == '\n'))
        reason.pop_back();
    return reason.empty() ? "unknown error" : reason;
}
