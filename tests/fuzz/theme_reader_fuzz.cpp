// Theme files from strangers: any bytes must load or fail cleanly, in full and preview reading,
// and whatever loads must write back and read again.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "graphics/hv_bitmap_state.h"
#include "theme/theme_reader.h"
#include "theme/theme_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (bool preview : {false, true}) {
        CTheme theme;
        ThemeReadResult read = ReadThemeBytes(theme, data, size, L"C:\\Themes\\fuzz.morvanta", preview);
        if (!read.ok) continue;
        for (auto& [scale, cursors] : theme.cursors) {
            for (CCursor& cursor : cursors) {
                if (cursor.image) (void)cursor.image->FrameOffset();
            }
        }
        std::vector<uint8_t> written;
        if (!WriteThemeBytes(theme, written)) continue;
        CTheme again;
        if (!ReadThemeBytes(again, written, L"again.morvanta", false).ok) __builtin_trap();
    }
    return 0;
}
