#include "tools/theme_tool/appearance_options.h"

#include <climits>
#include <cstdlib>

const char kAppearanceOptionsUsage[] =
    "[--size PERCENT] [--mirror] [--hue N] [--brightness N] [--contrast N] [--opacity 0-255]\n"
    "                         [--shadow X,Y,SHARPNESS,DARKNESS | --no-shadow]";

namespace {

bool ParseShadow(const std::string& text, CursorAppearance& appearance) {
    int* fields[] = {&appearance.shadowX, &appearance.shadowY, &appearance.shadowSharpness, &appearance.shadowDarkness};
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        size_t comma = text.find(',', start);
        if ((i < 3) != (comma != std::string::npos)) return false;
        std::string part = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (!ParseWholeNumber(part.c_str(), INT_MIN / 2, INT_MAX / 2, *fields[i])) return false;
        start = comma + 1;
    }
    return true;
}

}  // namespace

bool ParseWholeNumber(const char* text, long low, long high, int& out) {
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (!*text || *end || value < low || value > high) return false;
    out = static_cast<int>(value);
    return true;
}

OptionParse AppearanceOptionReader::Read(const std::vector<std::string>& args, size_t& i, std::string& problem) {
    const std::string& option = args[i];
    auto number = [&](long low, long high, int& out, const char* wanted) {
        if (i + 1 < args.size() && ParseWholeNumber(args[i + 1].c_str(), low, high, out)) {
            ++i;
            return OptionParse::kTaken;
        }
        problem = option + " needs " + wanted;
        return OptionParse::kBad;
    };
    if (option == "--mirror") {
        appearance.mirror = true;
        return OptionParse::kTaken;
    }
    if (option == "--no-shadow") {
        noShadow_ = true;
        return OptionParse::kTaken;
    }
    if (option == "--size") return number(1, 1000, appearance.size, "1 to 1000");
    if (option == "--hue") return number(-100000, 100000, appearance.hue, "a number");
    if (option == "--brightness") return number(-100000, 100000, appearance.brightness, "a number");
    if (option == "--contrast") return number(-100000, 100000, appearance.contrast, "a number");
    if (option == "--opacity") return number(0, 255, appearance.opacity, "0 to 255");
    if (option == "--shadow") {
        if (i + 1 < args.size() && ParseShadow(args[i + 1], appearance)) {
            ++i;
            shadowGiven_ = true;
            return OptionParse::kTaken;
        }
        problem = "--shadow needs X,Y,SHARPNESS,DARKNESS";
        return OptionParse::kBad;
    }
    return OptionParse::kNotMine;
}

bool AppearanceOptionReader::Finish(std::string& problem) {
    if (shadowGiven_ && noShadow_) {
        problem = "--shadow and --no-shadow exclude each other";
        return false;
    }
    appearance.shadow = !noShadow_;
    return true;
}
