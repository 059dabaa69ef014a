#include "graphics/paint_buffer_win.h"

#include <algorithm>

#include "graphics/hv_bitmap.h"

namespace paintbuffer {
namespace {

HVBitmap* gBuffer = nullptr;  // one reference held while it exists
int gPainting = 0;
UINT_PTR gTimer = 0;

void CALLBACK ReleaseTimerProc(HWND, UINT, UINT_PTR, DWORD) {
    if (gPainting) return;  // try again at the next tick
    Release();
}

int Grown(int needed, int current) {
    return std::max(current, static_cast<int>(needed * 1.1));
}

}  // namespace

HVBitmap* BeginPaint(int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    if (!gBuffer || gBuffer->Width() < width || gBuffer->Height() < height) {
        const int newWidth = Grown(width, gBuffer ? gBuffer->Width() : 0);
        const int newHeight = Grown(height, gBuffer ? gBuffer->Height() : 0);
        if (gBuffer) gBuffer->Release();
        // Its own device context: the buffer is drawn into while pooled bitmaps are drawn from.
        gBuffer = new HVBitmap(newWidth, newHeight, 0);
        gBuffer->AddRef();
        if (!gBuffer->IsValid()) {
            gBuffer->Release();
            gBuffer = nullptr;
            return nullptr;
        }
        if (gTimer) KillTimer(nullptr, gTimer);
        gTimer = SetTimer(nullptr, 0, kReleaseAfterMs, &ReleaseTimerProc);
    }
    ++gPainting;
    return gBuffer;
}

void EndPaint() {
    if (gPainting > 0) --gPainting;
}

SIZE Size() {
    SIZE size = {0, 0};
    if (gBuffer) size = {gBuffer->Width(), gBuffer->Height()};
    return size;
}

void Release() {
    if (gPainting) return;
    if (gTimer) {
        KillTimer(nullptr, gTimer);
        gTimer = 0;
    }
    if (gBuffer) {
        gBuffer->Release();
        gBuffer = nullptr;
    }
}

}  // namespace paintbuffer
