#include "theme/scheme_ini.h"

#include <windows.h>

#include <vector>

namespace {

// The system's private-profile reader; it re-reads the file for every call, as the system does.
class SystemSchemeIni final : public SchemeIni {
public:
    explicit SystemSchemeIni(std::wstring path) : path_(std::move(path)) {}

    std::wstring ReadString(const std::wstring& section, const std::wstring& key, const std::wstring& fallback,
                            size_t maxChars) override {
        std::vector<wchar_t> buffer(maxChars + 1);
        GetPrivateProfileStringW(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(), DWORD(buffer.size()),
                                 path_.c_str());
        return buffer.data();
    }

    std::wstring ReadSectionFirstLine(const std::wstring& section, size_t maxChars) override {
        // The section comes back as zero-separated lines; the first one ends at the first zero.
        std::vector<wchar_t> buffer(maxChars + 2);
        GetPrivateProfileSectionW(section.c_str(), buffer.data(), DWORD(buffer.size()), path_.c_str());
        buffer.back() = L'\0';
        return buffer.data();
    }

private:
    std::wstring path_;
};

}  // namespace

std::unique_ptr<SchemeIni> OpenSchemeIni(const std::wstring& path) {
    return std::make_unique<SystemSchemeIni>(path);
}
