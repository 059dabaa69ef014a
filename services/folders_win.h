#pragma once
// The program's data folders. Each call builds the path anew and creates every missing folder on
// the way (the current-theme file itself is not created). A path that would not fit in MAX_PATH
// is refused: the call returns false and leaves the output empty.
#include <string>

// Common documents\Halberon\Morvanta\Sounds: sounds shared by every user of the machine.
bool GetSoundsFolder(std::wstring& path);
// Common documents\Halberon\Morvanta\Themes: installed themes shared by every user.
bool GetThemesFolder(std::wstring& path);
// Local application data\Halberon\Morvanta\CurrentTheme.Morvanta: the theme the engine shows.
bool GetCurrentThemePath(std::wstring& path);
// The folder of the program file, without a trailing separator.
bool GetProgramFolder(std::wstring& path);
