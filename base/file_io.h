#pragma once
// Whole-file reading for every layer, with paths as UTF-16 wide texts on every platform (converted
// to the platform's own form here). One core, ReadWhole, serves the plain reads of the core and the
// graphics library, the theme file layer (with a reason) and the theme loads (with retries).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

namespace fileio {

// The platform path of a UTF-16 path text.
std::filesystem::path ToFsPath(const std::wstring& path);
// The UTF-16 text of a platform path (the inverse of ToFsPath).
std::wstring FromFsPath(const std::filesystem::path& path);

enum class ReadStatus {
    kRead,
    kNotOpened,  // missing, a folder, no access, or (exclusive reads on Windows) open elsewhere
    kTooLarge,   // larger than the limit; nothing was read
    kRefused,    // the header check said no; nothing more was read
    kFailed,     // opened, but reading failed
};

struct ReadOptions {
    uint64_t maxBytes = std::numeric_limits<uint64_t>::max();
    // When set, the first headerBytes bytes (fewer for a shorter file) are read first and the
    // rest only when headerAccepted agrees.
    size_t headerBytes = 0;
    bool (*headerAccepted)(const uint8_t* header, size_t size) = nullptr;
    // On Windows no other process may have the file open while it is read (share mode none);
    // POSIX has no share modes.
    bool exclusive = false;
};

// Opens a regular file and reads it whole into bytes (a file that shrinks meanwhile gives what was
// there). For every status but kRead, reason (when given) receives one line naming the file and the
// system's error, and bytes is left empty.
ReadStatus ReadWhole(const std::wstring& path, std::vector<uint8_t>& bytes, const ReadOptions& options = {},
                     std::string* reason = nullptr);

// ReadWhole with a size limit: true when the whole file was read.
bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes, uint64_t maxBytes);

}  // namespace fileio
