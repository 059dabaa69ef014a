#pragma once
// Theme files on disk: whole-file reads, and saves that never destroy the existing file. A save
// writes a temporary file beside the target and puts it in the target's place only once every
// byte was written, so a failed save (full disk, lost network share) leaves the old file intact.
#include <cstdint>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "theme/theme.h"
#include "theme/theme_reader.h"
#include "theme/theme_writer.h"

namespace themefile {

// Reads the whole file, no other process writing it meanwhile (on Windows). False with a one-line
// reason when it cannot be opened or read, or is above 2 GiB.
inline bool ReadFileBytes(const std::wstring& path, std::vector<uint8_t>& bytes, std::string* reason) {
    fileio::ReadOptions options;
    options.maxBytes = 0x7FFFFFFF;
    options.exclusive = true;
    return fileio::ReadWhole(path, bytes, options, reason) == fileio::ReadStatus::kRead;
}

// Writes bytes to a temporary file in the target's folder, then replaces the target with it
// (several attempts a second apart while another process holds the target). False with a reason
// when any step fails; the temporary file is then removed and the target is as it was.
bool WriteFileReplacing(const std::wstring& path, const std::vector<uint8_t>& bytes, std::string* reason);

// Reads a theme file (any of the four versions, compressed or not) into theme.
inline ThemeReadResult LoadThemeFile(CTheme& theme, const std::wstring& path, bool preview) {
    std::vector<uint8_t> bytes;
    ThemeReadResult result;
    if (!ReadFileBytes(path, bytes, &result.error)) {
        theme.Reset();
        return result;
    }
    return ReadThemeBytes(theme, bytes, path, preview);
}

// Writes theme as a version 2003 file, replacing the target only when everything was written.
inline bool SaveThemeFile(const CTheme& theme, const std::wstring& path, std::string* reason) {
    std::vector<uint8_t> bytes;
    if (!WriteThemeBytes(theme, bytes, reason)) return false;
    return WriteFileReplacing(path, bytes, reason);
}

}  // namespace themefile
