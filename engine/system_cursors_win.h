#pragma once
// Handing cursors to the system and giving the system its own pointers back. The system's own
// pointers come back through SPI_SETCURSORS, which reloads them from the user's scheme; the
// engine never writes that scheme, so an engine that is killed leaves the user's pointers to
// return at the next logon.
#include <windows.h>

#include <cstdint>
#include <string>

namespace systemcursors {

// The system's own pointers, from the user's scheme. True when the system agreed.
bool Restore();

// Loads a cursor file at its own size (not stretched to the system's default size); null, with a
// reason, when it does not load. Safe on any thread.
HCURSOR LoadFile(const std::wstring& path, std::string& reason);
// Hands a cursor to the system as that system cursor; the system takes it over (and destroys it
// when replaced). False, with a reason, when the system refuses; the cursor is destroyed then.
bool Set(uint32_t id, HCURSOR cursor, std::string& reason);
// LoadFile, then Set.
bool SetFromFile(uint32_t id, const std::wstring& path, std::string& reason);

// The system cursor showing now: its index (SystemCursorAt), or -1 when it is none of them.
int ShownIndex();

// From now on an unhandled exception or std::terminate gives the system its pointers back before
// the process ends.
void RestoreOnFatalError();

}  // namespace systemcursors
