// Theme files from strangers: any bytes must load or fail cleanly with a one-line reason, in full
// and preview reading; the streaming and whole-block reads of a compressed block must agree; and
// whatever loads must write back and read again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "graphics/hv_bitmap_state.h"
#include "theme/theme_reader.h"
#include "theme/theme_writer.h"

namespace {

std::vector<uint8_t> Written(const CTheme& theme) {
    std::vector<uint8_t> out;
    WriteThemeBytes(theme, out);
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (bool preview : {false, true}) {
        CTheme streamed, whole;
        ThemeReadResult a = themereader::ReadThemeBytesWith(streamed, data, size, L"C:\\fuzz.morvanta", preview, true);
        ThemeReadResult b = themereader::ReadThemeBytesWith(whole, data, size, L"C:\\fuzz.morvanta", preview, false);
        if (a.ok != b.ok || a.error != b.error || a.cursorOrder != b.cursorOrder ||
            a.unsupportedContent != b.unsupportedContent) {
            __builtin_trap();
        }
        if (!a.ok) {
            if (a.error.empty() || a.error.find('\n') != std::string::npos) __builtin_trap();  // one-line reason
            continue;
        }
        for (auto& [scale, cursors] : streamed.cursors) {
            for (CCursor& cursor : cursors) {
                if (cursor.image) (void)cursor.image->FrameOffset();
            }
        }
        std::vector<uint8_t> written = Written(streamed);
        if (written != Written(whole) || streamed.contentFlags != whole.contentFlags) __builtin_trap();
        CTheme again;
        if (!ReadThemeBytes(again, written, L"again.morvanta", false).ok) __builtin_trap();
    }
    return 0;
}
