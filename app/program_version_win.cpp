#include "app/program_version_win.h"

#include <windows.h>

#include <stdexcept>
#include <vector>

#include "app/version_text.h"

std::wstring GetProgramVersion() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &handle);
    if (size == 0) throw std::runtime_error("Could not get version info");
    std::vector<unsigned char> block(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (!GetFileVersionInfoW(path, 0, size, block.data()) ||
        !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &infoSize) || !info || infoSize == 0)
        throw std::runtime_error("Could not get version info");
    return FormatProgramVersion(info->dwFileVersionMS, info->dwFileVersionLS);
}
