// The native build has no device contexts, no platform image loader and no message boxes: these
// platform parts of HVBitmap do nothing there (Windows: hv_bitmap_win.cpp).
#ifndef _WIN32
#include "graphics/hv_bitmap.h"

void HVBitmap::ReleaseDeviceContexts() {}

void HVBitmap::DestroyDeviceContexts() {}

bool HVBitmap::LoadPlatformImage(const std::wstring&) { return false; }

void HVBitmap::ReportPngFailure(const std::wstring&) {}
#endif
