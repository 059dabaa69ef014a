#pragma once
// The gallery's event log: one line per event ("command 1001", "enter 2002", "probe-drag A 6 0"),
// written and flushed at once to the file named by --log, so that a test driving the window from
// outside can read what reached which object.
#include <string>

void OpenGalleryLog(const std::wstring& path);
void CloseGalleryLog();
void GalleryLog(const std::string& line);
