#pragma once
// HVBitmap: a reference-counted 32-bit image. Pixels are 4 bytes (blue, green, red, alpha), rows
// bottom row first with a stride of width × 4, and a strip of equal-width frames lies side by side.
// Flags say how the fourth byte is read: has-alpha, colour-keyed (pure magenta is transparent),
// premultiplied (colour bytes already multiplied by alpha), opaque (drawn as a plain copy).
//
// Ownership: the bitmap owns its pixel storage (a heap buffer natively, a section on Windows) and,
// on Windows, its own device context; a bitmap with HVB_SHAREDDC borrows one of the six pooled
// device contexts instead. Sharers call AddRef/Release; the last Release deletes the bitmap unless
// the keep flag is set. Operations that change the size replace the storage in place.
#include <cstdint>
#include <memory>
#include <string>

#include "graphics/kernels/pixel_view.h"

#ifdef _WIN32
struct HDC__;
struct HBITMAP__;
#endif

class PixelStorage;

// Construction flags.
constexpr uint32_t HVB_COLORKEY = 0x02;       // sets the colour-keyed flag
constexpr uint32_t HVB_ALPHA = 0x10;          // sets the has-alpha flag
constexpr uint32_t HVB_PREMULTIPLIED = 0x20;  // sets the premultiplied flag
constexpr uint32_t HVB_SHAREDDC = 0x40;       // no own device context: borrow from the shared pool

// Flags of Draw.
constexpr uint32_t HVD_COPY = 0x02;  // plain copy whatever the opacity

class HVBitmap {
public:
    // A zero-filled bitmap; without pixels (IsValid false) when the size is not positive or too large.
    HVBitmap(int width, int height, uint32_t flags);
    // Same size, flags, frame count, bits per pixel and pixel bytes; its own storage.
    HVBitmap(const HVBitmap& other);
    // Loads a .bmp, .png, .tga or .jpg file (extension compared without regard to case). On failure
    // the bitmap has no pixels; callers test IsValid.
    HVBitmap(const std::wstring& path, uint32_t flags);
#ifdef _WIN32
    // Takes ownership of a bitmap handle; a handle that is not a 32-bit bottom-up section is
    // converted to one (and deleted).
    HVBitmap(HBITMAP__* handle, uint32_t flags);
#endif
    HVBitmap& operator=(const HVBitmap&) = delete;
    virtual ~HVBitmap();

    // Reference count, starting at 0. Release deletes the bitmap when the count drops to 0 or
    // below, unless the keep flag is set. Both return the new count.
    int AddRef();
    int Release();
    int RefCount() const {
        return refCount_;
    }
    bool Keep() const {
        return keep_ != 0;
    }
    void SetKeep(bool keep) {
        keep_ = keep ? 1 : 0;
    }

    // True when the bitmap has pixels (on Windows: a section).
    bool IsValid() const;
    int Width() const {
        return width_;
    }
    int Height() const {
        return height_;
    }
    int FrameCount() const {
        return frameCount_;
    }
    void SetFrameCount(int frames) {
        frameCount_ = frames;
    }
    // Width of one frame: width ÷ frame count (a count of 0 counts as 1).
    int FrameWidth() const {
        return width_ / (frameCount_ > 0 ? frameCount_ : 1);
    }
    // 32, or 24 for an image loaded without alpha.
    int BitsPerPixel() const {
        return bitsPerPixel_;
    }
    void SetBitsPerPixel(int bits) {
        bitsPerPixel_ = bits;
    }

    // The pixel bytes (null without pixels): BGRA, bottom row first, stride Width() × 4.
    uint8_t* Bits();
    const uint8_t* Bits() const;
    // The pixels as a kernel view, with this bitmap's frame count and flags.
    pixels::PixelView View();

    bool HasAlpha() const {
        return hasAlpha_;
    }
    void SetHasAlpha(bool on) {
        hasAlpha_ = on;
    }
    bool IsColorKeyed() const {
        return colorKeyed_;
    }
    void SetColorKeyed(bool on) {
        colorKeyed_ = on;
    }
    bool IsPremultiplied() const {
        return premultiplied_;
    }
    void SetPremultiplied(bool on) {
        premultiplied_ = on;
    }
    bool IsOpaque() const {
        return opaque_;
    }
    void SetOpaque(bool on) {
        opaque_ = on;
    }
    bool UsesSharedDC() const {
        return sharedDC_;
    }

    // --- pixel operations (frames side by side are honoured throughout) ---

    // Magenta pixels become fully transparent (all four bytes 0), every other pixel gets alpha
    // 255. Sets has-alpha and premultiplied.
    void ColorKeyToAlpha();
    // Multiplies colour bytes by alpha (magenta pixels become all zeros); without has-alpha it is
    // ColorKeyToAlpha. Nothing for a premultiplied or opaque bitmap. True when it changed anything.
    bool Premultiply();
    // Whether the pixel at (x, y), counted from the top left, is solid: alpha > 15 with has-alpha,
    // alpha ≠ 0 when premultiplied, otherwise not magenta. False outside the bitmap.
    bool IsOpaqueAt(int x, int y) const;
    // Brightness 255 and contrast 100 leave the colours unchanged.
    void AdjustBrightnessContrast(int brightness, int contrast);
    // Hue shift on the 0–240 hue circle of the platform's HLS conversion, brightness offset and
    // contrast (−100 to 100); all 0 changes nothing.
    void AdjustColor(int hue, int brightness, int contrast);
    // Blurred drop shadow of the alpha mask; the bitmap grows to hold both. Colour 0x00BBGGRR, 0 is
    // black. *outX, *outY (either may be null) receive where the original image now starts. False
    // when blur < 0.
    bool AddShadow(int offsetX, int offsetY, int blur, int darkness, uint32_t colour, int* outX, int* outY,
                   bool shadowOnly);
    // Reverses every row of every frame left to right.
    void Mirror();
    // New total width and height (0 keeps that dimension). Reduction averages areas, enlargement
    // interpolates linearly per frame. With discard the bitmap just becomes blank at the new size.
    void Resize(int width, int height, bool discard = false);
    // Resizes each frame to frameWidth × height keeping the border columns and rows as they are and
    // stretching (area resampling) or tiling the middle.
    void ResizeSliced(int frameWidth, int height, int left, int right, int top, int bottom, bool stretchH,
                      bool stretchV);
    // Bounds of the pixels with alpha above threshold, over all frames, in frame columns; top and
    // bottom are the first and last such row counted from the top, plus one. Without such pixels:
    // left = top = 2147483647, right = bottom = 0. Any output may be null.
    void GetOpaqueBounds(int* left, int* top, int* right, int* bottom, int threshold) const;
    // Magenta for a colour-keyed bitmap without alpha, zeros otherwise. False without pixels.
    bool Clear();
    // The image is twice as tall as wanted: the top half is the colour, the bottom half's blue byte
    // the alpha mask. Keeps the top half with that alpha, premultiplied. False (unchanged) for an
    // image less than 2 rows tall.
    bool SplitPerPixelMask();
    // Drops the right columns so that the width is a multiple of n.
    void CropToFrameMultiple(int n);

#ifdef _WIN32
    // --- device contexts and drawing (hv_bitmap_win.cpp) ---

    // A device context holding the section: the bitmap's own, or a pool slot for HVB_SHAREDDC.
    // Null without a section.
    HDC__* GetDC();
    // Gives back every pool slot that holds this bitmap.
    void ReleaseSharedDC();
    HBITMAP__* Section() const;
    // Copies (x, y, width, height) of the target from (srcX, srcY) of this bitmap, both counted
    // from the top left. Opacity −1 or flag HVD_COPY: plain copy; otherwise the bitmap is
    // premultiplied (permanently) and blended with opacity 0–255. False when width or height is 0
    // or the transfer fails.
    bool Draw(HDC__* dc, int x, int y, int width, int height, int srcX, int srcY, int opacity, uint32_t flags = 0);
    // Decodes the program's own PNG resource with that identifier into a 32-bit section, which the
    // caller owns (wrap it with the adopting constructor). Throws std::runtime_error with "Resource
    // with ID <id> not found." or "... could not be loaded.". Null when the PNG does not decode.
    static HBITMAP__* LoadPngResource(int id);
#endif

private:
#ifdef _WIN32
    bool DrawDirect(HVBitmap& target, int x, int y, int width, int height, int srcX, int srcY, int opacity, bool copy);
#endif

public:
private:
    void ApplyFlags(uint32_t flags);
    // Puts new storage in place of the old one (device contexts let go of the old section first).
    void ReplaceStorage(std::unique_ptr<PixelStorage> storage);
    void LoadFile(const std::wstring& path);
    void ReleaseDeviceContexts();                      // platform: lets go of the section (pool slot, own context)
    void DestroyDeviceContexts();                      // platform: also deletes the own context
    bool LoadPlatformImage(const std::wstring& path);  // platform: .bmp through the system loader
    void ReportPngFailure(const std::wstring& path);   // platform: the warning box

    int refCount_ = 0;
    int keep_ = 0;
    int width_ = 0;
    int height_ = 0;
    int frameCount_ = 1;
    std::unique_ptr<PixelStorage> storage_;
    bool opaque_ = false;
    bool hasAlpha_ = false;
    bool colorKeyed_ = false;
    bool premultiplied_ = false;
    int bitsPerPixel_ = 32;
    bool sharedDC_ = false;
#ifdef _WIN32
    HDC__* ownDC_ = nullptr;
    void* ownPrevious_ = nullptr;       // what the own context held before a section was selected
    HBITMAP__* ownSelected_ = nullptr;  // the section currently selected into the own context
#endif
};
