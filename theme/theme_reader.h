#pragma once
// Reads a theme file from its bytes. The bytes are untrusted: every size and offset is checked
// before use, nothing outside the data block (or a record) is ever read, a stated block size that
// zlib could not produce from the compressed bytes is refused before allocating, and any
// inconsistency fails the load with a one-line reason instead of guessing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "theme/theme.h"

struct ThemeReadResult {
    bool ok = false;
    std::string error;  // one line, set when !ok
    uint32_t version = 0;
    uint32_t premultipliedFlag = 0;  // the header's value
    // A trail record of a record version this reader does not know was passed over (files of
    // versions 2000 to 2002): the caller tells the user once per theme.
    bool unsupportedContent = false;
    // The cursors in the order the file holds them: scale and index in that scale's vector.
    std::vector<std::pair<double, size_t>> cursorOrder;
};

// Fills theme from a whole theme file. The theme is reset first (texts, option lock and the
// unsupported-message flag stay until a successful read replaces the texts and lock); its path
// becomes path, whose file name also stands in for a missing name. With preview only the texts and
// the first cursor of role 0 and event 1 are taken. On failure the theme is left reset.
ThemeReadResult ReadThemeBytes(CTheme& theme, const uint8_t* data, size_t size, const std::wstring& path, bool preview);
inline ThemeReadResult ReadThemeBytes(CTheme& theme, const std::vector<uint8_t>& bytes, const std::wstring& path,
                                      bool preview) {
    return ReadThemeBytes(theme, bytes.data(), bytes.size(), path, preview);
}

namespace themereader {
// ReadThemeBytes with the choice of path for compressed files: streaming inflates record by
// record straight into the images (the normal way, falling back to the other for unusual
// layouts); without it the whole block is inflated first. Both give the same result; tests and
// the fuzz target compare them.
ThemeReadResult ReadThemeBytesWith(CTheme& theme, const uint8_t* data, size_t size, const std::wstring& path,
                                   bool preview, bool allowStreaming);
}  // namespace themereader

// The format version of a file from its first 16 bytes; 0 when there are fewer.
uint32_t PeekThemeVersion(const uint8_t* data, size_t size);
