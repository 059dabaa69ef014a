// The Windows parts of HVBitmap: device contexts (own or pooled), drawing, adopting bitmap
// handles, the platform's BMP loader, PNG resources and the PNG warning box.
#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "graphics/dc_pool_win.h"
#include "graphics/decoders/png_decoder.h"
#include "graphics/gdi_scoped_win.h"
#include "graphics/halvix_win.h"
#include "graphics/hv_bitmap.h"

#include <algorithm>
#include <cstring>

#include "graphics/direct_target_win.h"
#include "graphics/image_limits.h"
#include "graphics/kernels/blend.h"
#include "graphics/pixel_storage.h"

namespace {

// The handle as a 32-bit bottom-up section: adopted as it is, or copied into a new section by a
// block transfer and deleted. Null (and the handle deleted) when that fails.
std::unique_ptr<PixelStorage> TakeAs32BitSection(HBITMAP handle) {
    if (!handle) return nullptr;
    if (auto adopted = PixelStorage::AdoptSection(handle)) return adopted;
    BITMAP info = {};
    std::unique_ptr<PixelStorage> converted;
    if (GetObjectW(handle, sizeof(info), &info) && info.bmWidth > 0 && info.bmHeight != 0) {
        const int width = info.bmWidth, height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
        converted = PixelStorage::TryCreate(width, height);
        if (converted) {
            MemoryDc from, to;
            if (from.dc && to.dc) {
                ScopedSelect selectFrom(from.dc, handle);
                ScopedSelect selectTo(to.dc, converted->Section());
                if (!BitBlt(to.dc, 0, 0, width, height, from.dc, 0, 0, SRCCOPY)) converted.reset();
            } else {
                converted.reset();
            }
        }
    }
    DeleteObject(handle);
    return converted;
}

int HandleBitsPerPixel(HBITMAP handle) {
    BITMAP info = {};
    return handle && GetObjectW(handle, sizeof(info), &info) ? info.bmBitsPixel : 0;
}

}  // namespace

HVBitmap::HVBitmap(HBITMAP__* handle, uint32_t flags) {
    ApplyFlags(flags);
    bitsPerPixel_ = HandleBitsPerPixel(handle);
    storage_ = TakeAs32BitSection(handle);
    if (storage_) {
        width_ = storage_->Width();
        height_ = storage_->Height();
    }
}

HBITMAP__* HVBitmap::Section() const {
    return storage_ ? storage_->Section() : nullptr;
}

HDC__* HVBitmap::GetDC() {
    HBITMAP section = Section();
    if (!section) return nullptr;
    if (sharedDC_) return BorrowSharedDC(this, section);
    // The own context is made when first asked for: many bitmaps are never drawn through one.
    if (!ownDC_) {
        ownDC_ = CreateCompatibleDC(nullptr);
        if (!ownDC_) return nullptr;
    }
    if (ownSelected_ != section) {
        HGDIOBJ previous = SelectObject(ownDC_, section);
        if (!ownPrevious_) ownPrevious_ = previous;
        ownSelected_ = section;
    }
    return ownDC_;
}

void HVBitmap::ReleaseSharedDC() {
    ReturnSharedDCs(this);
}

void HVBitmap::ReleaseDeviceContexts() {
    // Only pool users touch the pool: bitmaps with their own context are resized on worker threads
    // while the UI thread uses the pool.
    if (sharedDC_) ReturnSharedDCs(this);
    if (ownDC_ && ownSelected_) {
        SelectObject(ownDC_, static_cast<HGDIOBJ>(ownPrevious_));
        ownSelected_ = nullptr;
    }
}

void HVBitmap::DestroyDeviceContexts() {
    ReleaseDeviceContexts();
    if (ownDC_) {
        DeleteDC(ownDC_);
        ownDC_ = nullptr;
        ownPrevious_ = nullptr;
    }
}

// Drawing into a bitmap of the library's own (a registered direct target): the block is clipped
// to both bitmaps, then copied or blended with the kernels.
bool HVBitmap::DrawDirect(HVBitmap& target, int x, int y, int width, int height, int srcX, int srcY, int opacity,
                          bool copy) {
    if (srcX < 0 || srcY < 0 || srcX > width_ - width || srcY > height_ - height) return false;
    // Clip to the target, moving the source block with it.
    if (x < 0) {
        width += x;
        srcX -= x;
        x = 0;
    }
    if (y < 0) {
        height += y;
        srcY -= y;
        y = 0;
    }
    width = std::min(width, target.Width() - x);
    height = std::min(height, target.Height() - y);
    if (width <= 0 || height <= 0) return true;
    const pixels::PixelView to = target.View();
    const pixels::PixelView from = View();
    if (to.Empty() || from.Empty()) return false;
    if (copy) {
        for (int row = 0; row < height; ++row)
            std::memcpy(to.Pixel(x, y + row), from.Pixel(srcX, srcY + row), static_cast<size_t>(width) * 4);
        return true;
    }
    pixels::BlendOver(to, x, y, from, srcX, srcY, width, height, opacity);
    return true;
}

bool HVBitmap::Draw(HDC__* dc, int x, int y, int width, int height, int srcX, int srcY, int opacity, uint32_t flags) {
    if (width <= 0 || height <= 0 || !dc) return false;
    if (HVBitmap* target = DirectTargetFor(dc); target && target != this) {
        const bool copy = opacity == -1 || (flags & HVD_COPY) || opaque_;
        if (!copy) Premultiply();
        return DrawDirect(*target, x, y, width, height, srcX, srcY, std::clamp(opacity, 0, 255), copy);
    }
    if (opacity == -1 || (flags & HVD_COPY)) {
        HDC source = GetDC();
        return source && BitBlt(dc, x, y, width, height, source, srcX, srcY, SRCCOPY);
    }
    Premultiply();
    HDC source = GetDC();
    if (!source) return false;
    if (opaque_) return BitBlt(dc, x, y, width, height, source, srcX, srcY, SRCCOPY) != FALSE;
    const int o = opacity < 0 ? 0 : (opacity > 255 ? 255 : opacity);
    if (gHalvix.alphaBlend) {
        const BLENDFUNCTION blend = {AC_SRC_OVER, 0, static_cast<BYTE>(o), AC_SRC_ALPHA};
        return gHalvix.alphaBlend(dc, x, y, width, height, source, srcX, srcY, width, height, blend) != FALSE;
    }
    // Software blend: the target block is copied out, blended and copied back. Like the platform
    // blend it refuses a source block that is not inside the bitmap.
    if (srcX < 0 || srcY < 0 || srcX > width_ - width || srcY > height_ - height) return false;
    auto block = PixelStorage::TryCreate(width, height);
    if (!block) return false;
    MemoryDc temp(dc);
    if (!temp.dc) return false;
    ScopedSelect select(temp.dc, block->Section());
    if (!BitBlt(temp.dc, 0, 0, width, height, dc, x, y, SRCCOPY)) return false;
    pixels::BlendOver(block->View(1, 0), 0, 0, View(), srcX, srcY, width, height, o);
    return BitBlt(dc, x, y, width, height, temp.dc, 0, 0, SRCCOPY) != FALSE;
}

bool HVBitmap::LoadPlatformImage(const std::wstring& path) {
    HBITMAP handle = static_cast<HBITMAP>(
        LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!handle) return false;
    BITMAP info = {};
    if (!GetObjectW(handle, sizeof(info), &info) ||
        !halvix::DecodedSizeAllowed(info.bmWidth, info.bmHeight < 0 ? -int64_t{info.bmHeight} : info.bmHeight)) {
        DeleteObject(handle);
        return false;
    }
    bitsPerPixel_ = info.bmBitsPixel;
    storage_ = TakeAs32BitSection(handle);
    return storage_ != nullptr;
}

void HVBitmap::ReportPngFailure(const std::wstring& path) {
    // Worker threads (theme loading) report failure by the missing image alone: a box there would
    // stall the load behind a window the user did not ask for.
    if (!HalvixOnUiThread()) return;
    const std::wstring text = L"Error reading '" + path + L"' (12)";
    MessageBoxW(nullptr, text.c_str(), L"Error", MB_OK | MB_ICONWARNING);
}

HBITMAP__* HVBitmap::LoadPngResource(int id) {
    HMODULE module = gHalvix.instance ? gHalvix.instance : GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
    if (!resource) throw std::runtime_error("Resource with ID " + std::to_string(id) + " not found.");
    HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) throw std::runtime_error("Resource with ID " + std::to_string(id) + " could not be loaded.");
    const DWORD size = SizeofResource(module, resource);
    auto storage = decoders::DecodePng(static_cast<const uint8_t*>(bytes), size, nullptr);
    return storage ? storage->DetachSection() : nullptr;
}
