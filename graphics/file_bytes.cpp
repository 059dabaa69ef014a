#include "graphics/file_bytes.h"

#include <cstdio>
#include <memory>

#include "base/file_io.h"

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
    return fileio::ReadWholeFile(path, *bytes, kMaxFileBytes);
}

bool FileExists(const std::wstring& path) {
    return OpenForReading(path) != nullptr;
}

}  // namespace halvix
