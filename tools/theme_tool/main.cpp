// morvanta-theme: inspect, convert, preview, pack and unpack Morvanta theme files.
#include <climits>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "tools/theme_tool/theme_tool.h"

namespace {

constexpr int kUsageError = 2;

const char kUsage[] =
    "usage:\n"
    "  morvanta-theme dump FILE\n"
    "  morvanta-theme convert IN OUT\n"
    "  morvanta-theme preview FILE OUT.png [--size PERCENT] [--mirror] [--hue N] [--brightness N]\n"
    "                         [--contrast N] [--shadow X,Y,SHARPNESS,DARKNESS | --no-shadow]\n"
    "  morvanta-theme pack MANIFEST OUT\n"
    "  morvanta-theme unpack FILE DIR\n"
    "  morvanta-theme scan FOLDER\n"
    "  morvanta-theme import-windows SOURCE OUT.morvanta [--name NAME]\n";

int Usage(const std::string& problem) {
    if (!problem.empty()) std::cerr << "morvanta-theme: " << problem << "\n";
    std::cerr << kUsage;
    return kUsageError;
}

bool ParseInt(const char* text, long low, long high, int& out) {
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (!*text || *end || value < low || value > high) return false;
    out = static_cast<int>(value);
    return true;
}

bool ParseShadow(const std::string& text, PreviewOptions& options) {
    int* fields[] = {&options.shadowX, &options.shadowY, &options.shadowSharpness, &options.shadowDarkness};
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        size_t comma = text.find(',', start);
        if ((i < 3) != (comma != std::string::npos)) return false;
        std::string part = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (!ParseInt(part.c_str(), INT_MIN / 2, INT_MAX / 2, *fields[i])) return false;
        start = comma + 1;
    }
    return true;
}

int Preview(const std::vector<std::string>& args) {
    if (args.size() < 2) return Usage("preview needs FILE and OUT.png");
    PreviewOptions options;
    bool shadowGiven = false;
    bool noShadow = false;
    for (size_t i = 2; i < args.size(); ++i) {
        const std::string& option = args[i];
        // The option's value: the next argument, or null when there is none.
        auto value = [&]() -> const char* { return i + 1 < args.size() ? args[++i].c_str() : nullptr; };
        const char* v = nullptr;
        if (option == "--mirror") {
            options.mirror = true;
        } else if (option == "--no-shadow") {
            noShadow = true;
        } else if (option == "--size") {
            if (!(v = value()) || !ParseInt(v, 1, 1000, options.size)) return Usage("--size needs 1 to 1000");
        } else if (option == "--hue") {
            if (!(v = value()) || !ParseInt(v, -100000, 100000, options.hue)) return Usage("--hue needs a number");
        } else if (option == "--brightness") {
            if (!(v = value()) || !ParseInt(v, -100000, 100000, options.brightness)) {
                return Usage("--brightness needs a number");
            }
        } else if (option == "--contrast") {
            if (!(v = value()) || !ParseInt(v, -100000, 100000, options.contrast)) {
                return Usage("--contrast needs a number");
            }
        } else if (option == "--shadow") {
            if (!(v = value()) || !ParseShadow(v, options)) {
                return Usage("--shadow needs X,Y,SHARPNESS,DARKNESS");
            }
            shadowGiven = true;
        } else {
            return Usage("unknown option " + option);
        }
    }
    if (shadowGiven && noShadow) return Usage("--shadow and --no-shadow exclude each other");
    options.shadow = !noShadow;
    return RunPreview(args[0], args[1], options, std::cerr);
}

int ImportWindows(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    std::string name;
    bool named = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--name") {
            if (named || i + 1 >= args.size()) return Usage("--name needs NAME, once");
            name = args[++i];
            named = true;
        } else if (args[i].size() > 2 && args[i].compare(0, 2, "--") == 0) {
            return Usage("unknown option " + args[i]);
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2) return Usage("import-windows needs SOURCE and OUT.morvanta");
    return RunImportWindows(positional[0], positional[1], named ? &name : nullptr, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage("");
    const std::string command = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    if (command == "dump") {
        if (args.size() != 1) return Usage("dump needs FILE");
        return RunDump(args[0], std::cout, std::cerr);
    }
    if (command == "convert") {
        if (args.size() != 2) return Usage("convert needs IN and OUT");
        return RunConvert(args[0], args[1], std::cerr);
    }
    if (command == "preview") return Preview(args);
    if (command == "pack") {
        if (args.size() != 2) return Usage("pack needs MANIFEST and OUT");
        return RunPack(args[0], args[1], std::cerr);
    }
    if (command == "unpack") {
        if (args.size() != 2) return Usage("unpack needs FILE and DIR");
        return RunUnpack(args[0], args[1], std::cerr);
    }
    if (command == "scan") {
        if (args.size() != 1) return Usage("scan needs FOLDER");
        return RunScan(args[0], std::cout, std::cerr);
    }
    if (command == "import-windows") return ImportWindows(args);
    return Usage("unknown command " + command);
}
