#include "engine/cursor_fingerprint.h"

#include <cstring>

#include "graphics/hv_bitmap.h"

namespace {

// A 64-bit multiply-and-rotate hash over words: a few times faster than a byte-wise one over the
// megabytes of a large theme's pixels, and good enough to tell drawings apart.
class Hasher {
public:
    explicit Hasher(uint64_t seed) : h_(seed ^ 0x9E3779B97F4A7C15ull) {}

    void Word(uint64_t word) {
        h_ ^= word * 0xBF58476D1CE4E5B9ull;
        h_ = (h_ << 27 | h_ >> 37) * 0x94D049BB133111EBull;
    }
    void Bytes(const uint8_t* data, size_t size) {
        size_t i = 0;
        for (; i + 8 <= size; i += 8) {
            uint64_t word;
            std::memcpy(&word, data + i, 8);
            Word(word);
        }
        uint64_t tail = 0;
        std::memcpy(&tail, data + i, size - i);
        Word(tail ^ (uint64_t(size) << 56));
    }
    void Text(const std::wstring& text) {
        Word(text.size());
        for (wchar_t c : text) Word(uint64_t(c));
    }
    uint64_t Result() const { return h_ ^ (h_ >> 31); }

private:
    uint64_t h_;
};

}  // namespace

uint64_t CursorFingerprint(const CCursor& cursor, const CursorAppearance& look, uint64_t salt) {
    Hasher hash(salt);
    for (int value : {cursor.frames, cursor.interval, cursor.style, cursor.reverse, cursor.loop, cursor.hotSpotX,
                      cursor.hotSpotY, cursor.standard})
        hash.Word(uint64_t(int64_t(value)));
    hash.Text(cursor.frameScript);
    if (const HVBitmapState* image = cursor.image.get()) {
        for (int value : {image->Width(), image->Height(), image->FrameCount(), image->TrimLeft(), image->TrimTop(),
                          image->TrimRight(), image->TrimBottom(), image->OffsetX(), image->OffsetY(),
                          int(image->IsOneFrameBitmap())})
            hash.Word(uint64_t(int64_t(value)));
        if (const HVBitmap* bitmap = image->Bitmap(); bitmap && bitmap->IsValid()) {
            hash.Word(uint64_t(bitmap->Width()) << 32 | uint32_t(bitmap->Height()));
            hash.Word(uint64_t(bitmap->HasAlpha()) | uint64_t(bitmap->IsColorKeyed()) << 1 |
                      uint64_t(bitmap->IsPremultiplied()) << 2);
            hash.Bytes(bitmap->Bits(), size_t(bitmap->Width()) * size_t(bitmap->Height()) * 4);
        }
    }
    for (int value : {look.opacity, int(look.mirror), look.size, look.hue, look.brightness, look.contrast,
                      int(look.shadow), look.shadowX, look.shadowY, look.shadowSharpness, look.shadowDarkness})
        hash.Word(uint64_t(int64_t(value)));
    return hash.Result();
}
