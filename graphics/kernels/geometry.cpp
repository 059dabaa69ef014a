#include "graphics/kernels/geometry.h"

#include <algorithm>
#include <cstdint>

namespace pixels {

void MirrorFrames(const PixelView& view) {
    const int frames = view.FrameCount();
    const int fw = view.FrameWidth();
    // Frames of no width have nothing to reverse; there may be billions of them.
    if (view.Empty() || fw <= 0) return;
    for (int y = 0; y < view.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(view.Row(y));
        for (int f = 0; f < frames; ++f) std::reverse(row + static_cast<size_t>(f) * fw, row + static_cast<size_t>(f + 1) * fw);
    }
}

}  // namespace pixels
