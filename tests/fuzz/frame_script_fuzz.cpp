// Frame scripts from theme files: any text must parse into its counted records, build a tree
// without unbounded recursion or memory, and answer frames at any time.
#include <cstddef>
#include <cstdint>
#include <string>

#include "graphics/animation_script.h"
#include "graphics/frame_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Two bytes per UTF-16 unit, as scripts are stored; the text ends at its first NUL.
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<wchar_t>(data[i] | data[i + 1] << 8));
    std::vector<FrameScriptRecord> records = ParseFrameScript(text);
    size_t separators = 0;
    const std::wstring script = text.substr(0, text.find(L'\0'));
    for (size_t i = 0; i < script.size(); ++i) {
        if (script[i] == L'\r' && i + 1 < script.size() && script[i + 1] == L'\n') ++i;
        if (script[i] == L'\r' || script[i] == L'\n' || script[i] == L';') ++separators;
    }
    if (records.size() != (script.empty() ? 0 : separators + 1)) __builtin_trap();
    auto root = BuildAnimationTree(records);
    const int64_t duration = root->Duration();
    if (duration < 0) __builtin_trap();
    for (int64_t t :
         {int64_t(0), int64_t(1), int64_t(199), duration / 2, duration - 1, duration, int64_t(0xFFFFFFFF)}) {
        (void)root->FrameAt(t);
    }
    return 0;
}
