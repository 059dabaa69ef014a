#include "app/version_text.h"

std::wstring FormatProgramVersion(uint32_t fileVersionMS, uint32_t fileVersionLS) {
    const uint32_t major = fileVersionMS >> 16, minor = fileVersionMS & 0xFFFF, third = fileVersionLS >> 16;
    return std::to_wstring(major) + L"." + std::to_wstring(minor) + std::to_wstring(third);
}
