// morvanta-theme: inspect, convert, preview, pack and unpack Morvanta theme files.
#include <climits>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "tools/theme_tool/appearance_options.h"
#include "tools/theme_tool/theme_tool.h"

namespace {

constexpr int kUsageError = 2;

const char kUsage[] =
    "usage:\n"
    "  morvanta-theme dump FILE\n"
    "  morvanta-theme convert IN OUT\n"
    "  morvanta-theme preview FILE OUT.png [--scale S] [--role R] [--event 1|2] [--straight]\n"
    "                         APPEARANCE\n"
    "  morvanta-theme pack MANIFEST OUT\n"
    "  morvanta-theme unpack FILE DIR\n"
    "  morvanta-theme scan FOLDER\n"
    "  morvanta-theme import-windows SOURCE OUT.morvanta [--name NAME]\n"
    "  morvanta-theme export-windows THEME OUT_DIR [--scale S] APPEARANCE\n"
    "  morvanta-theme export-xcursor THEME OUT_DIR [--sizes 24,32,48,64,96] APPEARANCE\n"
    "APPEARANCE: ";

int Usage(const std::string& problem) {
    if (!problem.empty()) std::cerr << "morvanta-theme: " << problem << "\n";
    std::cerr << kUsage << kAppearanceOptionsUsage << "\n";
    return kUsageError;
}

// A display scale: a number above 0 and at most 16.
bool ParseScale(const char* text, double& out) {
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (!*text || *end || !(value > 0 && value <= 16)) return false;
    out = value;
    return true;
}

int Preview(const std::vector<std::string>& args) {
    if (args.size() < 2) return Usage("preview needs FILE and OUT.png");
    PreviewOptions options;
    AppearanceOptionReader reader;
    std::string problem;
    for (size_t i = 2; i < args.size(); ++i) {
        const OptionParse parsed = reader.Read(args, i, problem);
        if (parsed == OptionParse::kBad) return Usage(problem);
        if (parsed == OptionParse::kTaken) continue;
        const std::string& option = args[i];
        const char* v = i + 1 < args.size() ? args[i + 1].c_str() : nullptr;
        if (option == "--straight") {
            options.straight = true;
        } else if (option == "--scale") {
            if (!v || !ParseScale(v, options.scale)) return Usage("--scale needs a display scale above 0, at most 16");
            ++i;
        } else if (option == "--role") {
            if (!v || !ParseWholeNumber(v, 0, 19, options.role)) return Usage("--role needs 0 to 19");
            ++i;
        } else if (option == "--event") {
            if (!v || !ParseWholeNumber(v, 1, 2, options.event)) return Usage("--event needs 1 or 2");
            ++i;
        } else {
            return Usage("unknown option " + option);
        }
    }
    if (!reader.Finish(problem)) return Usage(problem);
    options.appearance = reader.appearance;
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

int ExportWindows(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    double scale = 1;
    AppearanceOptionReader reader;
    std::string problem;
    for (size_t i = 0; i < args.size(); ++i) {
        const OptionParse parsed = reader.Read(args, i, problem);
        if (parsed == OptionParse::kBad) return Usage(problem);
        if (parsed == OptionParse::kTaken) continue;
        if (args[i] == "--scale") {
            if (i + 1 >= args.size() || !ParseScale(args[i + 1].c_str(), scale))
                return Usage("--scale needs a display scale above 0, at most 16");
            ++i;
        } else if (args[i].size() > 2 && args[i].compare(0, 2, "--") == 0) {
            return Usage("unknown option " + args[i]);
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2) return Usage("export-windows needs THEME and OUT_DIR");
    if (!reader.Finish(problem)) return Usage(problem);
    return RunExportWindows(positional[0], positional[1], scale, reader.appearance, std::cout, std::cerr);
}

int ExportXcursor(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    XcursorExportOptions options;
    AppearanceOptionReader reader;
    std::string problem;
    bool sized = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const OptionParse parsed = reader.Read(args, i, problem);
        if (parsed == OptionParse::kBad) return Usage(problem);
        if (parsed == OptionParse::kTaken) continue;
        if (args[i] == "--sizes") {
            if (sized || i + 1 >= args.size() || !ParseXcursorSizes(args[i + 1], options.sizes, problem))
                return Usage(problem.empty() ? "--sizes needs a list of sizes, once" : problem);
            sized = true;
            ++i;
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return Usage("unknown option " + args[i]);
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2) return Usage("export-xcursor needs THEME and OUT_DIR");
    if (!reader.Finish(problem)) return Usage(problem);
    options.appearance = reader.appearance;
    return RunExportXcursor(positional[0], positional[1], options, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage("");
    const std::string command = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage << kAppearanceOptionsUsage << "\n";
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
    if (command == "export-windows") return ExportWindows(args);
    if (command == "export-xcursor") return ExportXcursor(args);
    return Usage("unknown command " + command);
}
