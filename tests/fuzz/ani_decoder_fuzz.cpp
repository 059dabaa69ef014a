// Fuzzes the animated cursor decoder and its conversion into theme cursors. Accepted files keep
// every step within the frames and limits, and the frame script made from the steps plays exactly
// as long as the steps do (three passes when one pass is not whole milliseconds).
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "graphics/animation_script.h"
#include "graphics/decoders/ani_decoder.h"
#include "theme/theme.h"
#include "theme/windows_cursor_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    decoders::AniCursor ani;
    std::string reason;
    if (!decoders::TryDecodeAni(data, size, ani, reason)) {
        if (reason.empty() || reason.find('\n') != std::string::npos) __builtin_trap();
        return 0;
    }
    if (ani.frames.empty() || ani.frames.size() > decoders::kMaxAniFrames || ani.steps.empty() ||
        ani.steps.size() > decoders::kMaxAniSteps)
        __builtin_trap();
    uint64_t jiffies = 0;
    for (const decoders::AniStep& step : ani.steps) {
        if (step.frame >= ani.frames.size() || step.jiffies > decoders::kMaxAniJiffies) __builtin_trap();
        jiffies += step.jiffies;
    }
    const std::wstring script = AniFrameScript(ani.steps);
    const uint64_t passes = jiffies % 3 == 0 ? 1 : 3;
    if (int64_t(BuildAnimationTree(ParseFrameScript(script))->Duration()) != int64_t(passes * jiffies * 50 / 3))
        __builtin_trap();

    CTheme theme;
    std::set<double> scales;
    std::vector<uint8_t> bytes(data, data + size);
    if (TryAddWindowsCursor(theme, bytes, 3, 4, scales, reason)) {
        for (const auto& [scale, cursors] : theme.cursors)
            for (const CCursor& cursor : cursors)
                if (!cursor.image || cursor.frames < 1 || cursor.frames > int(ani.frames.size())) __builtin_trap();
    }
    return 0;
}
