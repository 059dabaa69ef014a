// morvanta-theme preview: the appearance options applied to one cursor of a theme (the normal
// arrow unless asked otherwise), as the options panel shows it or, with --straight, as the engine
// and the exports draw it.
#include <memory>

#include "base/text_encoding.h"
#include "graphics/cursor_appearance.h"
#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "theme/cursor_render.h"
#include "theme/theme_file.h"
#include "tools/theme_tool/png_io.h"
#include "tools/theme_tool/theme_tool.h"

namespace {

// The cursor of that role and event: at the theme's current scale (after a rescale, the one asked
// for) if it has one there, else the first one the file holds at any scale.
const CCursor* ChosenCursor(CTheme& theme, const ThemeReadResult& read, uint32_t role, uint32_t event) {
    if (const CCursor* cursor = theme.FindCursor(role, event, 1)) return cursor;
    for (const auto& [scale, index] : read.cursorOrder) {
        const auto found = theme.cursors.find(scale);
        if (found == theme.cursors.end() || index >= found->second.size()) continue;
        const CCursor& cursor = found->second[index];
        if (cursor.role == role && cursor.event == event && cursor.variant == 1) return &cursor;
    }
    return nullptr;
}

// The frames side by side, top row first, as RGBA.
RgbaImage StripOf(const RenderedCursor& cursor) {
    RgbaImage image;
    const int frames = int(cursor.frames.size());
    image.width = cursor.width * frames;
    image.height = cursor.height;
    image.rgba.resize(size_t(image.width) * image.height * 4);
    for (int f = 0; f < frames; ++f)
        for (int y = 0; y < cursor.height; ++y)
            for (int x = 0; x < cursor.width; ++x) {
                const uint8_t* src = &cursor.frames[size_t(f)][(size_t(y) * cursor.width + x) * 4];
                uint8_t* dst = &image.rgba[(size_t(y) * image.width + size_t(f) * cursor.width + x) * 4];
                dst[0] = src[2];
                dst[1] = src[1];
                dst[2] = src[0];
                dst[3] = src[3];
            }
    return image;
}

}  // namespace

int RunPreview(const std::string& file, const std::string& png, const PreviewOptions& options, std::ostream& err) {
    CTheme theme;
    ThemeReadResult read = themefile::LoadThemeFile(theme, text::Utf8ToUtf16(file), false);
    if (!read.ok) {
        err << file << ": " << read.error << "\n";
        return 1;
    }
    if (options.scale > 0) RescaleLoadedTheme(theme, options.scale);
    const CCursor* cursor = ChosenCursor(theme, read, uint32_t(options.role), uint32_t(options.event));
    if (!cursor) {
        if (options.role == 0 && options.event == 1)
            err << file << ": the theme has no normal arrow cursor (role 0, event 1)\n";
        else
            err << file << ": the theme has no cursor for role " << options.role << ", event " << options.event << "\n";
        return 1;
    }
    if (cursor->standard || !cursor->image || !cursor->image->Bitmap() || !cursor->image->Bitmap()->IsValid()) {
        err << file << ": the cursor has no image of its own\n";
        return 1;
    }
    RgbaImage image;
    if (options.straight) {
        RenderedCursor rendered;
        std::string reason;
        if (!RenderCursor(*cursor, options.appearance, rendered, reason)) {
            err << file << ": " << reason << "\n";
            return 1;
        }
        image = StripOf(rendered);
    } else {
        // The sequence runs on a copy with its own bitmap, as the options panel does.
        HVBitmapState state(L"mod", *cursor->image, true);
        ApplyCursorAppearance(state, options.appearance);
        const HVBitmap* bitmap = state.Bitmap();
        if (!bitmap->IsValid()) {
            err << file << ": the preview image could not be made at that size\n";
            return 1;
        }
        image = BgraBottomUpToRgba(bitmap->Bits(), bitmap->Width(), bitmap->Height());
    }
    std::string reason;
    if (!WritePng(png, image, &reason)) {
        err << reason << "\n";
        return 1;
    }
    return 0;
}
