#include "services/registry_win.h"

#include <map>
#include <stdexcept>

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
    if (this != &other) {
        Close();
        key_ = other.key_;
        other.key_ = nullptr;
    }
    return *this;
}

HKEY* RegistryKey::Receive() {
    Close();
    return &key_;
}

void RegistryKey::Close() {
    // Predefined keys are 0x80000000 and up, sign-extended on 64-bit builds.
    if (key_ && static_cast<LONG>(reinterpret_cast<LONG_PTR>(key_)) >= 0) RegCloseKey(key_);
    key_ = nullptr;
}

namespace {

const std::map<std::wstring, HKEY>& RootKeys() {
    static const std::map<std::wstring, HKEY> roots = {
        {L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {L"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
        {L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {L"HKEY_USERS", HKEY_USERS},
    };
    return roots;
}

}  // namespace

RegistryKey OpenRegistryKey(const std::wstring& path, REGSAM access) {
    const RegistryPath parts = SplitRegistryPath(path);
    const HKEY root = RootKeys().at(parts.rootName);  // std::out_of_range for an unknown root name
    RegistryKey key;
    const LONG status = RegCreateKeyExW(root, parts.subKey.c_str(), 0, nullptr, 0, access | kRegistryView, nullptr,
                                        key.Receive(), nullptr);
    if (status != ERROR_SUCCESS) throw std::runtime_error(RegistryOpenErrorText(path, FormatSystemMessage(status)));
    return key;
}

std::wstring FormatSystemMessage(DWORD code) {
    wchar_t buffer[512];
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                        buffer, 512, nullptr);
    return std::wstring(buffer, length);
}

std::string ToAnsi(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string result(size_t(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), &result[0], size, nullptr, nullptr);
    return result;
}

bool ToAnsi(char* buffer, size_t bufferSize, const std::wstring& text) {
    if (bufferSize == 0) return false;
    const std::string ansi = ToAnsi(text);
    if (ansi.size() + 1 > bufferSize) {
        buffer[0] = '\0';
        return false;
    }
    ansi.copy(buffer, ansi.size());
    buffer[ansi.size()] = '\0';
    return true;
}
