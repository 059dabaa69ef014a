#include "graphics/direct_target_win.h"

namespace {

HDC gDc = nullptr;
HVBitmap* gBitmap = nullptr;

}  // namespace

DirectTargetScope::DirectTargetScope(HDC dc, HVBitmap* bitmap) {
    gDc = dc;
    gBitmap = bitmap;
}

DirectTargetScope::~DirectTargetScope() {
    gDc = nullptr;
    gBitmap = nullptr;
}

HVBitmap* DirectTargetFor(HDC dc) {
    return dc && dc == gDc ? gBitmap : nullptr;
}
