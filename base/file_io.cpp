#include "base/file_io.h"

#include <fstream>

#include "base/text_encoding.h"

namespace fileio {

std::filesystem::path ToFsPath(const std::wstring& path) {
#ifdef _WIN32
    return std::filesystem::path(path);
#else
    return std::filesystem::u8path(text::Utf16ToUtf8(path));
#endif
}

bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes, uint64_t maxBytes) {
    bytes.clear();
    std::ifstream file(ToFsPath(path), std::ios::binary);
    if (!file) return false;
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0 || uint64_t(size) > maxBytes) return false;
    file.seekg(0, std::ios::beg);
    bytes.resize(size_t(size));
    if (size > 0 && !file.read(reinterpret_cast<char*>(bytes.data()), size)) {
        bytes.clear();
        return false;
    }
    return true;
}

}  // namespace fileio
