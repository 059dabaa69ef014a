#pragma once
// Whole-file reading and writing for the portable core, with paths as UTF-16 wide texts on every
// platform (converted to the platform's own form here).
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace fileio {

// The platform path of a UTF-16 path text.
std::filesystem::path ToFsPath(const std::wstring& path);

// Reads a whole file; false when it cannot be opened or read, or is larger than maxBytes.
bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes, uint64_t maxBytes);

}  // namespace fileio
