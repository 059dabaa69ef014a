#pragma once
// Reading a whole file into memory by its UTF-16 path.
#include <cstdint>
#include <string>
#include <vector>

namespace halvix {

// Files larger than this are not read (no image the library loads comes near it).
constexpr uint64_t kMaxFileBytes = uint64_t(256) << 20;

// False when the file cannot be opened or read, or is larger than kMaxFileBytes.
bool ReadFileBytes(const std::wstring& path, std::vector<uint8_t>* bytes);

bool FileExists(const std::wstring& path);

}  // namespace halvix
