#include "theme/theme_writer.h"

#include <cstring>
#include <limits>

#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "theme/byte_writer.h"
#include "theme/theme_format.h"

namespace tf = themeformat;

namespace {

// The text as stored: up to its first NUL.
std::wstring StoredText(const std::wstring& text) {
    return text.substr(0, text.find(L'\0'));
}

uint64_t TextBytes(const std::wstring& text) {
    return StoredText(text).size() * 2 + 2;
}

// Whether an animation is written at all.
bool Writable(const CAnimation& animation) {
    const HVBitmapState* state = animation.image.get();
    return state && state->Bitmap() && state->Bitmap()->IsValid() && !state->Name().empty() && state->Name() != L"NA";
}

uint64_t PixelBytes(const CAnimation& animation) {
    const HVBitmap* bitmap = animation.image->Bitmap();
    return uint64_t(bitmap->Width()) * bitmap->Height() * 4;
}

uint64_t ScriptBytes(const CAnimation& animation) {
    return animation.frameScript.empty() ? 0 : TextBytes(animation.frameScript);
}

uint32_t AnimationFlags(const CAnimation& animation) {
    uint32_t flags = 0;
    if (animation.style) flags |= tf::kFlagStyle;
    if (animation.loop) flags |= tf::kFlagLoop;
    if (animation.reverse) flags |= tf::kFlagReverse;
    return flags;
}

class Writer {
public:
    explicit Writer(const CTheme& theme) : theme_(theme) {}

    bool Write(std::vector<uint8_t>& out, std::string* reason);

private:
    const std::optional<std::wstring>& Text(int slot) const;
    uint64_t BlockSize() const;
    void WriteCursor(ByteWriter& w, const CCursor& cursor, double scale);
    void WriteEffect(ByteWriter& w, const CAnimation& animation, int key, uint32_t type, const CTrail* trail);
    void WriteSound(ByteWriter& w, int key, const std::vector<uint8_t>& bytes);
    // The script text with its NUL (when there is one) and the pixel bytes.
    void WriteScriptAndPixels(ByteWriter& w, const CAnimation& animation);

    const CTheme& theme_;
    int flags_ = 0;
    uint32_t premultiplied_ = 0;
};

const std::optional<std::wstring>& Writer::Text(int slot) const {
    switch (slot) {
        case 0:
            return theme_.name;
        case 1:
            return theme_.author;
        case 2:
            return theme_.version;
        case 3:
            return theme_.website;
        case 4:
            return theme_.email;
        default:
            return theme_.description;
    }
}

uint64_t Writer::BlockSize() const {
    uint64_t size = 0;
    for (int slot = 0; slot < tf::kTextSlotCount; ++slot) {
        if (Text(slot)) size += TextBytes(*Text(slot));
    }
    for (const auto& [scale, vector] : theme_.cursors) {
        for (const CCursor& cursor : vector) {
            if (cursor.stored && Writable(cursor))
                size += tf::cursor::kFixedSize + ScriptBytes(cursor) + PixelBytes(cursor);
        }
    }
    for (const auto& [key, effect] : theme_.clickEffects) {
        if (key >= 0 && key <= 8 && Writable(effect))
            size += tf::effect::kFixedSize + ScriptBytes(effect) + PixelBytes(effect);
    }
    for (const auto& [key, bytes] : theme_.sounds) {
        if (key >= 0 && key <= 8) size += tf::sound::kFixedSize + bytes.size();
    }
    for (const auto& [key, trail] : theme_.trails) {
        if (key >= 0 && key <= 2 && Writable(trail))
            size += tf::trail::kFixedSize + ScriptBytes(trail) + PixelBytes(trail);
    }
    return size;
}

bool Writer::Write(std::vector<uint8_t>& out, std::string* reason) {
    // The whole block is sized first: the format's sizes are 32-bit, and one allocation suffices.
    const uint64_t blockSize = BlockSize();
    if (blockSize > std::numeric_limits<uint32_t>::max()) {
        if (reason) *reason = "the theme is too large for the file format (" + std::to_string(blockSize) + " bytes)";
        return false;
    }
    std::vector<uint8_t> file;
    file.reserve(tf::kHeaderSize + blockSize);
    file.resize(tf::kHeaderSize, 0);
    ByteWriter w(file);

    uint32_t textEnd = 0;
    for (int slot = 0; slot < tf::kTextSlotCount; ++slot) {
        if (!Text(slot)) continue;
        uint32_t size = static_cast<uint32_t>(TextBytes(*Text(slot)));
        w.PatchU32(tf::kTextSlotsAt + 8 * slot, textEnd);
        w.PatchU32(tf::kTextSlotsAt + 8 * slot + 4, size);
        w.Utf16z(StoredText(*Text(slot)));
        textEnd += size;
    }
    for (const auto& [scale, vector] : theme_.cursors) {
        for (const CCursor& cursor : vector) {
            if (cursor.stored && Writable(cursor)) WriteCursor(w, cursor, scale);
        }
    }
    for (int key = 0; key <= 8; ++key) {
        auto found = theme_.clickEffects.find(key);
        if (found != theme_.clickEffects.end() && Writable(found->second)) {
            WriteEffect(w, found->second, key, tf::kRecordClickEffect, nullptr);
        }
    }
    for (int key = 0; key <= 8; ++key) {
        auto found = theme_.sounds.find(key);
        if (found != theme_.sounds.end()) WriteSound(w, key, found->second);
    }
    for (int key = 0; key <= 2; ++key) {
        auto found = theme_.trails.find(key);
        if (found != theme_.trails.end() && Writable(found->second)) {
            WriteEffect(w, found->second, key, tf::kRecordTrail, &found->second);
        }
    }

    w.PatchU32(tf::kHeaderMagicAt, 1);
    w.PatchU32(tf::kHeaderSizeAt, tf::kHeaderSize);
    w.PatchU32(tf::kBlockSizeAt, static_cast<uint32_t>(file.size() - tf::kHeaderSize));
    w.PatchU32(tf::kVersionAt, tf::kVersion2003);
    std::memcpy(file.data() + tf::kNoticeAt, tf::kNotice, std::strlen(tf::kNotice));
    w.PatchU32(tf::kContentFlagsAt, static_cast<uint32_t>(flags_));
    w.PatchU32(tf::kOptionLockAt, theme_.optionLock);
    w.PatchU32(tf::kOneAt, 1);
    w.PatchU32(tf::kPremultipliedAt, premultiplied_);
    w.PatchU32(tf::kFirstRecordAt, textEnd);
    if (out.empty()) {
        out.swap(file);
    } else {
        out.insert(out.end(), file.begin(), file.end());
    }
    return true;
}

void Writer::WriteScriptAndPixels(ByteWriter& w, const CAnimation& animation) {
    if (!animation.frameScript.empty()) w.Utf16z(StoredText(animation.frameScript));
    const HVBitmap* bitmap = animation.image->Bitmap();
    w.Bytes(bitmap->Bits(), static_cast<size_t>(PixelBytes(animation)));
    premultiplied_ = bitmap->IsPremultiplied() ? 1 : 0;
}

void Writer::WriteCursor(ByteWriter& w, const CCursor& cursor, double scale) {
    const HVBitmapState& state = *cursor.image;
    const HVBitmap& bitmap = *state.Bitmap();
    const uint32_t script = static_cast<uint32_t>(ScriptBytes(cursor));
    const uint32_t pixels = static_cast<uint32_t>(PixelBytes(cursor));
    w.U32(tf::kRecordCursor);
    w.U32(tf::cursor::kFixedSize);
    w.U32(tf::cursor::kFixedSize + script + pixels);
    w.U32(tf::cursor::kRecordVersion);
    w.U32(cursor.role);
    w.U32(cursor.event);
    w.U32(cursor.standard ? 0 : 1);
    w.U32(static_cast<uint32_t>(state.FrameCount()));
    w.U32(static_cast<uint32_t>(bitmap.Width()));
    w.U32(static_cast<uint32_t>(bitmap.Height()));
    w.U32(static_cast<uint32_t>(cursor.interval));
    w.U32(AnimationFlags(cursor));
    w.U32(0);
    w.I32(static_cast<int32_t>(int64_t(cursor.hotSpotX) + state.TrimLeft()));
    w.I32(static_cast<int32_t>(int64_t(cursor.hotSpotY) + state.TrimTop()));
    w.U32(tf::cursor::kFixedSize + script);
    w.U32(pixels);
    w.U32(tf::cursor::kFixedSize);
    w.U32(script);
    w.U32(0);
    w.F64(scale);
    WriteScriptAndPixels(w, cursor);
    flags_ |= kThemeHasCursors;
}

void Writer::WriteEffect(ByteWriter& w, const CAnimation& animation, int key, uint32_t type, const CTrail* trail) {
    const HVBitmapState& state = *animation.image;
    const HVBitmap& bitmap = *state.Bitmap();
    const uint32_t fixed = trail ? tf::trail::kFixedSize : tf::effect::kFixedSize;
    const uint32_t script = static_cast<uint32_t>(ScriptBytes(animation));
    const uint32_t pixels = static_cast<uint32_t>(PixelBytes(animation));
    w.U32(type);
    w.U32(fixed);
    w.U32(fixed + script + pixels);
    w.U32(trail ? tf::trail::kRecordVersion : tf::effect::kRecordVersion);
    w.U32(static_cast<uint32_t>(key));
    w.U32(static_cast<uint32_t>(state.FrameCount()));
    w.U32(static_cast<uint32_t>(bitmap.Width()));
    w.U32(static_cast<uint32_t>(bitmap.Height()));
    w.U32(static_cast<uint32_t>(animation.interval));
    w.U32(AnimationFlags(animation));
    w.U32(0);
    w.I32(static_cast<int32_t>(int64_t(animation.hotSpotX) + state.TrimLeft()));
    w.I32(static_cast<int32_t>(int64_t(animation.hotSpotY) + state.TrimTop()));
    w.U32(fixed + script);
    w.U32(pixels);
    w.U32(fixed);
    w.U32(script);
    if (trail) {
        w.I32(trail->rate > 0 ? trail->rate : kDefaultTrailRate);
        w.Zeros(28);
        flags_ |= kThemeHasTrails;
    } else {
        flags_ |= kThemeHasClickEffects;
    }
    WriteScriptAndPixels(w, animation);
}

void Writer::WriteSound(ByteWriter& w, int key, const std::vector<uint8_t>& bytes) {
    w.U32(tf::kRecordSound);
    w.U32(tf::sound::kFixedSize);
    w.U32(static_cast<uint32_t>(tf::sound::kFixedSize + bytes.size()));
    w.U32(tf::sound::kRecordVersion);
    w.U32(static_cast<uint32_t>(key));
    w.U32(tf::sound::kFixedSize);
    w.U32(static_cast<uint32_t>(bytes.size()));
    w.Bytes(bytes.data(), bytes.size());
    flags_ |= kThemeHasSounds;
}

}  // namespace

bool WriteThemeBytes(const CTheme& theme, std::vector<uint8_t>& out, std::string* reason) {
    Writer writer(theme);
    return writer.Write(out, reason);
}
