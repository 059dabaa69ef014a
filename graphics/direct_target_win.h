#pragma once
// A device context whose bitmap the library owns (the shared off-screen paint bitmap) can be drawn
// into without the platform: while it is registered here, bitmap and rectangle drawing into that
// context blend straight into its pixels with the library's kernels. A repaint then costs one
// transfer to the window instead of a platform call per layer and object. UI thread only.
#include <windows.h>

class HVBitmap;

// Registers (dc, bitmap) for the scope of a repaint; nested scopes are not needed.
class DirectTargetScope {
public:
    DirectTargetScope(HDC dc, HVBitmap* bitmap);
    ~DirectTargetScope();
    DirectTargetScope(const DirectTargetScope&) = delete;
    DirectTargetScope& operator=(const DirectTargetScope&) = delete;
};

// The bitmap behind dc when it is the registered target, else null.
HVBitmap* DirectTargetFor(HDC dc);
