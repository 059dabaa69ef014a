#pragma once
// The appearance options of the commands that draw cursors (preview and the exports), as the
// settings window names them: --size, --mirror, --hue, --brightness, --contrast, --opacity and
// --shadow X,Y,SHARPNESS,DARKNESS or --no-shadow.
#include <string>
#include <vector>

#include "graphics/cursor_appearance.h"

enum class OptionParse {
    kNotMine,  // not an appearance option; the command may know it
    kTaken,    // read, with its value; the index is on the option's last argument
    kBad,      // its value is missing or out of range; the problem says which
};

class AppearanceOptionReader {
public:
    // Reads the option at args[i], if it is an appearance option.
    OptionParse Read(const std::vector<std::string>& args, size_t& i, std::string& problem);
    // After the last option: false when both --shadow and --no-shadow were given.
    bool Finish(std::string& problem);

    CursorAppearance appearance;

private:
    bool shadowGiven_ = false;
    bool noShadow_ = false;
};

// A whole number in [low, high]; false when the text is not one.
bool ParseWholeNumber(const char* text, long low, long high, int& out);

extern const char kAppearanceOptionsUsage[];
