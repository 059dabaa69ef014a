// morvanta-theme preview: the appearance options applied to the arrow cursor, as the options
// panel shows it.
#include <memory>

#include "base/text_encoding.h"
#include "graphics/cursor_appearance.h"
#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "theme/theme_file.h"
#include "tools/theme_tool/png_io.h"
#include "tools/theme_tool/theme_tool.h"

namespace {

// The normal arrow cursor: at the theme's current scale if it has one there, else the first one
// the file holds at any scale.
const CCursor* ArrowCursor(CTheme& theme, const ThemeReadResult& read) {
    if (const CCursor* cursor = theme.FindCursor(0, 1, 1)) return cursor;
    for (const auto& [scale, index] : read.cursorOrder) {
        const CCursor& cursor = theme.cursors.at(scale).at(index);
        if (cursor.role == 0 && cursor.event == 1 && cursor.variant == 1) return &cursor;
    }
    return nullptr;
}

}  // namespace

int RunPreview(const std::string& file, const std::string& png, const PreviewOptions& options, std::ostream& err) {
    CTheme theme;
    ThemeReadResult read = themefile::LoadThemeFile(theme, text::Utf8ToUtf16(file), false);
    if (!read.ok) {
        err << file << ": " << read.error << "\n";
        return 1;
    }
    const CCursor* arrow = ArrowCursor(theme, read);
    if (!arrow) {
        err << file << ": the theme has no normal arrow cursor (role 0, event 1)\n";
        return 1;
    }
    if (!arrow->image || !arrow->image->Bitmap() || !arrow->image->Bitmap()->IsValid()) {
        err << file << ": the arrow cursor has no image of its own\n";
        return 1;
    }
    // The sequence runs on a copy with its own bitmap, as the options panel does.
    HVBitmapState state(L"mod", *arrow->image, true);
    ApplyCursorAppearance(state, options);
    const HVBitmap* bitmap = state.Bitmap();
    if (!bitmap->IsValid()) {
        err << file << ": the preview image could not be made at that size\n";
        return 1;
    }
    std::string reason;
    if (!WritePng(png, BgraBottomUpToRgba(bitmap->Bits(), bitmap->Width(), bitmap->Height()), &reason)) {
        err << reason << "\n";
        return 1;
    }
    return 0;
}
