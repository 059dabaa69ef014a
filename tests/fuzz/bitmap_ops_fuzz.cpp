// Fuzzes the size-changing bitmap operations (SplitPerPixelMask, Resize, ResizeSliced, AddShadow)
// and the in-place ones on arbitrary small sizes, frame counts, flags, arguments and pixels. The
// first bytes choose the bitmap and the arguments; the rest are pixels.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "graphics/hv_bitmap.h"

namespace {

struct Input {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    int Byte() { return at < size ? data[at++] : 0; }
    int Signed(int range) { return Byte() % (2 * range + 1) - range; }
};

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in{data, size};
    const int width = 1 + in.Byte() % 48, height = 1 + in.Byte() % 48;
    const int frames = in.Byte() % 5;  // 0 counts as 1
    const uint32_t flags = static_cast<uint32_t>(in.Byte()) & (HVB_COLORKEY | HVB_ALPHA | HVB_PREMULTIPLIED);
    HVBitmap source(width, height, flags);
    source.SetFrameCount(frames);
    const int op = in.Byte() % 6;
    const int a = in.Byte(), b = in.Byte(), c = in.Byte(), d = in.Byte(), e = in.Byte(), f = in.Byte();
    const size_t bytes = static_cast<size_t>(width) * height * 4;
    for (size_t i = 0; i < bytes && in.at < in.size; ++i) source.Bits()[i] = static_cast<uint8_t>(in.Byte());

    HVBitmap bitmap(source);
    switch (op) {
        case 0: {
            const bool split = bitmap.SplitPerPixelMask();
            Check(split == (height >= 2));
            if (split) Check(bitmap.Height() == height / 2 && bitmap.IsPremultiplied());
            break;
        }
        case 1: {
            const int w = a % 97, h = b % 97;
            bitmap.Resize(w, h, c & 1);
            Check(bitmap.Width() == (w ? w : width) && bitmap.Height() == (h ? h : height));
            break;
        }
        case 2: {
            int outX = -1, outY = -1;
            const int blur = c % 40 - 1;
            const bool ok = bitmap.AddShadow(a % 41 - 20, b % 41 - 20, blur, d, static_cast<uint32_t>(e * 0x010101),
                                             &outX, &outY, f & 1);
            // A strip with more frames than columns has empty frames and may get no shadow.
            if (blur < 0) Check(!ok);
            if (blur >= 0 && width >= (frames ? frames : 1)) Check(ok);
            if (ok) Check(outX >= 0 && outY >= 0 && bitmap.Width() >= width - width % (frames ? frames : 1));
            break;
        }
        case 3: {
            const int fw = a % 64, h = b % 64;
            bitmap.ResizeSliced(fw, h, c % 20 - 2, d % 20 - 2, e % 20 - 2, f % 20 - 2, c & 0x40, d & 0x40);
            if (fw > 0) Check(bitmap.Width() == fw * (frames ? frames : 1));
            if (h > 0) Check(bitmap.Height() == h);
            break;
        }
        case 4:
            bitmap.AdjustColor(a - 128, b - 128, c % 201 - 100);
            bitmap.AdjustBrightnessContrast(d * 2, e);
            bitmap.Mirror();
            break;
        default: {
            bitmap.Premultiply();
            int l, t, r, bo;
            bitmap.GetOpaqueBounds(&l, &t, &r, &bo, a);
            Check(l == INT32_MAX || (l <= r && t <= bo && bo <= bitmap.Height()));
            const volatile bool hit = bitmap.IsOpaqueAt(b % width - 1, c % height);
            (void)hit;
            bitmap.CropToFrameMultiple(d % 7);
            bitmap.Clear();
            break;
        }
    }
    return 0;
}
