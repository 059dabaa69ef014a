#pragma once
// Building the engine's cursor files from a theme: for each system cursor, the theme role shown
// for it, drawn at the theme's current scale with the user's appearance and written as the bytes
// of a Windows cursor file. The drawing and the files are the theme tool's exports' own
// (RenderCursor, EncodeWindowsCursor), so the engine shows exactly what they write.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "graphics/cursor_appearance.h"
#include "theme/theme.h"

// A cursor of the theme that replaces a system cursor.
struct CursorSource {
    int index = 0;      // the system cursor (SystemCursorAt)
    bool held = false;  // the one shown while a mouse button is held
    const CCursor* cursor = nullptr;
};

// Every cursor of the theme's current scale that replaces a system cursor, in the system cursors'
// order, the normal one before the held one. A role without a cursor, or with a standard one,
// keeps the system's cursor and has none here; a held cursor is taken only with its normal one's
// role filled or not (the held one alone replaces the system's while a button is held).
std::vector<CursorSource> ChooseCursorSources(CTheme& theme);

struct BuiltCursor {
    int index = 0;
    bool held = false;
    bool animated = false;
    std::wstring fileName;  // in the cache: "Arrow.cur", "Arrow held.ani"
    std::vector<uint8_t> bytes;
    int width = 0;
    int height = 0;
    int hotSpotX = 0;
    int hotSpotY = 0;
    int frames = 0;
};

// Runs on the worker that built a cursor, once its bytes are ready (the engine writes the file and
// loads it there, so that the system's loading shares the workers too). False, with a reason,
// leaves the cursor out.
using CursorFinish = std::function<bool(const BuiltCursor& cursor, std::string& reason)>;

// Draws and encodes every source, then finishes it; several at a time on worker threads (each
// owns its copy of the image). A cursor that cannot be drawn, written or finished is left out with
// one line in problems, and keeps the system's cursor.
std::vector<BuiltCursor> BuildCursors(const std::vector<CursorSource>& sources, const CursorAppearance& look,
                                      std::vector<std::string>& problems, const CursorFinish& finish = nullptr);

// One cursor alone, on this thread. False, with a reason, when it cannot be drawn or written.
bool BuildCursor(const CursorSource& source, const CursorAppearance& look, BuiltCursor& out, std::string& reason);
