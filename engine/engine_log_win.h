#pragma once
// The engine's log: every line goes to the debugger (OutputDebugString, prefixed "morvanta-engine:
// ") and, once a file is opened, to that file with the time of day. The file is started afresh at
// each start and stops growing at kEngineLogLimit bytes, so it never fills a disk.
#include <string>

constexpr size_t kEngineLogLimit = 256 * 1024;

namespace enginelog {

// Starts the file at path (emptied). Lines written before stay with the debugger alone.
void OpenFile(const std::wstring& path);
// One line, without its line break. Safe from any thread.
void Line(const std::string& text);
// A line for the debugger alone: frequent ones (the dynamic shadow's) that would fill the file.
void Debug(const std::string& text);

}  // namespace enginelog
