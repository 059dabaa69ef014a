#include "engine/system_cursors_win.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "engine/engine_log_win.h"
#include "engine/system_cursors.h"

namespace systemcursors {

namespace {

LONG WINAPI RestoreBeforeCrash(EXCEPTION_POINTERS* exception) {
    Restore();
    char line[64];
    std::snprintf(line, sizeof line, "fatal error 0x%08lX: the system's pointers were restored",
                  exception && exception->ExceptionRecord ? exception->ExceptionRecord->ExceptionCode : 0ul);
    enginelog::Line(line);
    return EXCEPTION_CONTINUE_SEARCH;  // the system's own crash handling goes on
}

[[noreturn]] void RestoreBeforeTerminate() {
    Restore();
    enginelog::Line("fatal error (terminate): the system's pointers were restored");
    std::abort();
}

}  // namespace

bool Restore() {
    // fWinIni 0: reload from the user's scheme without writing anything or telling other programs.
    return SystemParametersInfoW(SPI_SETCURSORS, 0, nullptr, 0) != FALSE;
}

HCURSOR LoadFile(const std::wstring& path, std::string& reason) {
    // No LR_DEFAULTSIZE: the cursor keeps the size it was drawn at (the appearance's size and the
    // shadow's margins make it larger than the system's default size).
    HANDLE loaded = LoadImageW(nullptr, path.c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE);
    if (!loaded) reason = "the file does not load (error " + std::to_string(GetLastError()) + ")";
    return static_cast<HCURSOR>(loaded);
}

bool Set(uint32_t id, HCURSOR cursor, std::string& reason) {
    if (SetSystemCursor(cursor, id)) return true;
    reason = "the system refused it (error " + std::to_string(GetLastError()) + ")";
    DestroyCursor(cursor);
    return false;
}

bool SetFromFile(uint32_t id, const std::wstring& path, std::string& reason) {
    HCURSOR cursor = LoadFile(path, reason);
    return cursor && Set(id, cursor, reason);
}

int ShownIndex() {
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetCursorInfo(&info) || !info.hCursor) return -1;
    // The system cursors are shared handles whose contents SetSystemCursor replaces.
    for (int i = 0; i < kSystemCursorCount; ++i) {
        const HCURSOR shared = LoadCursorW(nullptr, MAKEINTRESOURCEW(SystemCursorAt(i).id));
        if (shared && shared == info.hCursor) return i;
    }
    return -1;
}

void RestoreOnFatalError() {
    SetUnhandledExceptionFilter(RestoreBeforeCrash);
    std::set_terminate(RestoreBeforeTerminate);
}

}  // namespace systemcursors
