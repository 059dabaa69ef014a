#include "graphics/dc_pool_win.h"

SharedDcPool gSharedDcs;

void CreateSharedDcPool() {
    if (gSharedDcs.dc[0]) return;
    HDC screen = GetDC(nullptr);
    for (int i = 0; i < kSharedDcCount; ++i) {
        gSharedDcs.dc[i] = CreateCompatibleDC(screen);
        gSharedDcs.holder[i] = nullptr;
        gSharedDcs.previous[i] = nullptr;
    }
    gSharedDcs.index = 0;
    if (screen) ReleaseDC(nullptr, screen);
}

HDC BorrowSharedDC(HVBitmap* bitmap, HBITMAP section) {
    if (!section) return nullptr;
    CreateSharedDcPool();  // bitmaps drawn before start-up still find a pool
    for (int i = 0; i < kSharedDcCount; ++i) {
        if (gSharedDcs.holder[i] == bitmap) {
            gSharedDcs.index = i;
            return gSharedDcs.dc[i];
        }
    }
    const int slot = (gSharedDcs.index + 1) % kSharedDcCount;
    gSharedDcs.index = slot;
    HDC dc = gSharedDcs.dc[slot];
    if (gSharedDcs.holder[slot]) {
        SelectObject(dc, gSharedDcs.previous[slot]);
        gSharedDcs.holder[slot] = nullptr;
    }
    gSharedDcs.previous[slot] = SelectObject(dc, section);
    gSharedDcs.holder[slot] = bitmap;
    return dc;
}

void ReturnSharedDCs(HVBitmap* bitmap) {
    for (int i = 0; i < kSharedDcCount; ++i) {
        if (gSharedDcs.holder[i] != bitmap) continue;
        SelectObject(gSharedDcs.dc[i], gSharedDcs.previous[i]);
        gSharedDcs.holder[i] = nullptr;
        gSharedDcs.previous[i] = nullptr;
    }
}
