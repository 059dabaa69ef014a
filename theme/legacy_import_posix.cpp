// The native platform parts of the earlier-format import; Windows has legacy_import_win.cpp.
#ifndef _WIN32
#include <cstdlib>
#include <vector>

#include "base/file_io.h"
#include "base/text_encoding.h"
#include "services/translations.h"
#include "theme/legacy_import.h"
#include "theme/theme_load.h"

namespace {

constexpr uint64_t kMaxSchemeTextBytes = 64ull << 20;

}  // namespace

bool CreateImportFolder(std::wstring& folder) {
    const char* temp = std::getenv("TMPDIR");
    std::string pattern = (temp && *temp) ? temp : "/tmp";
    if (pattern.back() != '/') pattern += '/';
    pattern += "QZXXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) return false;
    folder = text::Utf8ToUtf16(buffer.data());
    return true;
}

// Without a system code page the Western one stands in, as it does for the portable ini reader.
std::wstring ReadSchemeText(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    if (!fileio::ReadWholeFile(path, bytes, kMaxSchemeTextBytes)) return std::wstring();
    return DecodeTextFileBytes(std::string(bytes.begin(), bytes.end()), text::Cp1252ToWide);
}
#endif
