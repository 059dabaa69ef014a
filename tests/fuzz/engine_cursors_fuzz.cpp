// The engine's path from a stranger's theme to the cursor files it hands the system: any bytes
// must read and draw, or fail cleanly with one-line reasons; every file written must decode again
// as the kind it claims, with its hot spot inside its frames. The first byte picks the display
// scale and the appearance; the rest is the theme file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/cursor_build.h"
#include "engine/cursor_fingerprint.h"
#include "graphics/decoders/ani_decoder.h"
#include "graphics/decoders/icon_decoder.h"
#include "theme/theme_reader.h"

namespace {

void CheckImage(const decoders::IconFile& file, const BuiltCursor& cursor) {
    if (file.type != decoders::kCursorFileType || file.images.size() != 1) __builtin_trap();
    const decoders::IconImage& image = file.images[0];
    if (image.Width() != cursor.width || image.Height() != cursor.height) __builtin_trap();
    if (image.hotSpotX < 0 || image.hotSpotX >= cursor.width || image.hotSpotY < 0 || image.hotSpotY >= cursor.height)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const uint8_t knobs = data[0];
    CTheme theme;
    if (!themereader::ReadThemeBytesWith(theme, data + 1, size - 1, L"C:\\fuzz.morvanta", false, false).ok) return 0;
    static const double kScales[] = {1.0, 1.25, 1.5, 2.0};
    theme.currentScale = 0;
    theme.Rescale(kScales[knobs & 3]);
    CursorAppearance look;
    look.mirror = (knobs & 4) != 0;
    look.size = (knobs & 8) ? 150 : 100;
    look.shadow = (knobs & 16) != 0;
    look.opacity = (knobs & 32) ? 128 : 255;
    look.hue = (knobs & 64) ? 90 : 0;

    const std::vector<CursorSource> sources = ChooseCursorSources(theme);
    std::vector<std::string> problems;
    const std::vector<BuiltCursor> built = BuildCursors(sources, look, problems);
    if (built.size() + problems.size() != sources.size()) __builtin_trap();
    for (const std::string& problem : problems)
        if (problem.empty() || problem.find('\n') != std::string::npos) __builtin_trap();
    for (const BuiltCursor& cursor : built) {
        std::string reason;
        if (cursor.animated) {
            decoders::AniCursor ani;
            if (!decoders::TryDecodeAni(cursor.bytes.data(), cursor.bytes.size(), ani, reason)) __builtin_trap();
            if (ani.frames.empty() || ani.steps.empty()) __builtin_trap();
            for (const decoders::IconFile& frame : ani.frames) CheckImage(frame, cursor);
        } else {
            decoders::IconFile file;
            if (!decoders::TryDecodeIconFile(cursor.bytes.data(), cursor.bytes.size(), file, reason)) __builtin_trap();
            CheckImage(file, cursor);
        }
    }
    for (const CursorSource& source : sources) (void)CursorFingerprint(*source.cursor, look, knobs);
    return 0;
}
