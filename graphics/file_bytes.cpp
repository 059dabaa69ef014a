#include "graphics/file_bytes.h"

#include <cstdio>
#include <memory>

#ifndef _WIN32
#include "base/text_encoding.h"
#endif

namespace halvix {

namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

FilePtr OpenForReading(const std::wstring& path) {
#ifdef _WIN32
    return FilePtr(_wfopen(path.c_str(), L"rb"));
#else
    return FilePtr(std::fopen(text::Utf16ToUtf8(path).c_str(), "rb"));
#endif
}

}  // namespace

bool ReadFileBytes(const std::wstring& path, std::vector<uint8_t>* bytes) {
    FilePtr file = OpenForReading(path);
    if (!file) return false;
    if (std::fseek(file.get(), 0, SEEK_END) != 0) return false;
    const long size = std::ftell(file.get());
    if (size < 0 || static_cast<uint64_t>(size) > kMaxFileBytes) return false;
    if (std::fseek(file.get(), 0, SEEK_SET) != 0) return false;
    bytes->resize(static_cast<size_t>(size));
    return size == 0 || std::fread(bytes->data(), 1, bytes->size(), file.get()) == bytes->size();
}

bool FileExists(const std::wstring& path) { return OpenForReading(path) != nullptr; }

}  // namespace halvix
