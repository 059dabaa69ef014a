#pragma once
// The system cursors the engine replaces: each with the number SetSystemCursor knows it by, the
// name the system's cursor schemes give it (also the name of its file in the engine's cache) and
// the theme role shown for it. The roles are those a Windows cursor scheme's import fills,
// reversed; of the two roles the size cursors stand for, the first.
#include <cstdint>
#include <string>

struct SystemCursor {
    uint32_t id;          // OCR_NORMAL and the rest
    const wchar_t* name;  // as in a scheme: "Arrow", "IBeam", ...
    int role;             // the theme's pointer role
};

constexpr int kSystemCursorCount = 15;

// In the order the engine sets them (the arrow first).
const SystemCursor& SystemCursorAt(int index);

// The cache file of a system cursor: "<name>.cur" or ".ani" for the normal cursor, "<name>
// held" and the extension for the one shown while a mouse button is held.
std::wstring CursorFileName(const SystemCursor& cursor, bool held, const char* extension);
