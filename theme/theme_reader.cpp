#include "theme/theme_reader.h"

#include <zlib.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <optional>

#include "app/path_text.h"
#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "graphics/image_limits.h"
#include "theme/byte_reader.h"
#include "theme/theme_format.h"
#include "theme/theme_image.h"

namespace tf = themeformat;

namespace {

// The file's counts and milliseconds are unsigned; the model keeps ints. Values beyond int range
// are held at INT_MAX rather than turning negative.
int ToInt(uint32_t value) {
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

// UTF-16LE units up to the first NUL within size bytes.
std::wstring DecodeUtf16z(const uint8_t* p, uint64_t size) {
    std::wstring text;
    for (uint64_t i = 0; i + 1 < size; i += 2) {
        wchar_t unit = static_cast<wchar_t>(p[i] | (p[i + 1] << 8));
        if (unit == 0) break;
        text.push_back(unit);
    }
    return text;
}

std::string At(const std::string& what, uint64_t offset) {
    return std::string(what) + " at block offset " + std::to_string(offset);
}

class Reader {
public:
    Reader(CTheme& theme, ThemeReadResult& result, bool preview) : theme_(theme), result_(result), preview_(preview) {}

    bool Read(const uint8_t* data, size_t size, const std::wstring& path);

private:
    bool Fail(std::string reason) {
        result_.error = std::move(reason);
        return false;
    }
    bool LoadBlock(ByteReader& file, uint32_t blockSize, uint32_t compressedSize);
    bool ReadTexts(ByteReader& header, const std::wstring& path);
    bool WalkRecords(uint32_t firstRecord);
    bool ReadCursor(ByteReader& record, uint64_t at);
    bool ReadEffectOrTrail(ByteReader& record, uint64_t at, uint32_t type, uint32_t recordVersion);
    bool ReadSound(ByteReader& record, uint64_t at, uint32_t recordVersion);
    // Reads the frame script (size 0: none) of a record; false when it lies outside the record.
    bool ReadScript(ByteReader& record, uint32_t offsetAt, uint32_t sizeAt, std::wstring& script);
    // Builds the image from the pixel fields of a record into animation.image (none for size 0).
    bool BuildImage(ByteReader& record, uint64_t at, uint32_t widthAt, uint32_t heightAt, uint32_t offsetAt,
                    uint32_t sizeAt, const std::wstring& stateName, CAnimation& animation, bool allowLoop);

    CTheme& theme_;
    ThemeReadResult& result_;
    bool preview_;
    uint32_t version_ = 0;
    bool premultiplied_ = false;
    std::vector<uint8_t> inflated_;
    const uint8_t* block_ = nullptr;
    uint64_t blockSize_ = 0;
    std::optional<std::wstring> texts_[tf::kTextSlotCount];
    bool previewCursorTaken_ = false;
    int flags_ = 0;
};

bool Reader::Read(const uint8_t* data, size_t size, const std::wstring& path) {
    theme_.Reset();
    theme_.path = path;
    ByteReader file(data, size);
    if (!file.Contains(0, tf::kHeaderSize)) return Fail("file is shorter than the 184-byte header");
    version_ = file.U32At(tf::kVersionAt);
    result_.version = version_;
    if (version_ < tf::kVersion2000 || version_ > tf::kVersion2003) {
        return Fail("unknown format version " + std::to_string(version_));
    }
    result_.premultipliedFlag = file.U32At(tf::kPremultipliedAt);
    premultiplied_ = result_.premultipliedFlag != 0;
    if (!LoadBlock(file, file.U32At(tf::kBlockSizeAt), file.U32At(tf::kCompressedSizeAt))) return false;
    if (!ReadTexts(file, path)) return false;
    if (!WalkRecords(file.U32At(tf::kFirstRecordAt))) {
        theme_.Reset();
        result_.cursorOrder.clear();
        return false;
    }
    // Committed only now, so a failed read leaves the texts and lock as they were.
    theme_.name = std::move(texts_[0]);
    theme_.author = std::move(texts_[1]);
    theme_.version = std::move(texts_[2]);
    theme_.website = std::move(texts_[3]);
    theme_.email = std::move(texts_[4]);
    theme_.description = std::move(texts_[5]);
    if (version_ == tf::kVersion2003) theme_.optionLock = file.U32At(tf::kOptionLockAt) != 0 ? 1 : 0;
    theme_.contentFlags = flags_;
    result_.ok = true;
    return true;
}

bool Reader::LoadBlock(ByteReader& file, uint32_t blockSize, uint32_t compressedSize) {
    blockSize_ = blockSize;
    if (blockSize_ > tf::kMaxBlockSize) return Fail("data block size " + std::to_string(blockSize) + " is too large");
    if (compressedSize == 0) {
        block_ = file.BytesAt(tf::kHeaderSize, blockSize_);
        if (!block_) return Fail("data block is cut short: the header says " + std::to_string(blockSize) + " bytes");
        return true;
    }
    const uint8_t* packed = file.BytesAt(tf::kHeaderSize, compressedSize);
    if (!packed) return Fail("compressed data block is cut short");
    if (blockSize_ > uint64_t(compressedSize) * tf::kMaxInflateRatio) {
        return Fail("data block size " + std::to_string(blockSize) + " cannot come from " +
                    std::to_string(compressedSize) + " compressed bytes");
    }
    inflated_.resize(blockSize_);
    uLongf produced = static_cast<uLongf>(blockSize_);
    // uncompress wants a non-null destination even for an empty block.
    uint8_t empty = 0;
    int status = uncompress(blockSize_ ? inflated_.data() : &empty, &produced, packed, compressedSize);
    if (status != Z_OK)
        return Fail("compressed data block does not inflate (zlib error " + std::to_string(status) + ")");
    if (produced != blockSize_) return Fail("compressed data block inflates to fewer bytes than the header says");
    block_ = inflated_.data();
    return true;
}

bool Reader::ReadTexts(ByteReader& header, const std::wstring& path) {
    ByteReader block(block_, blockSize_);
    for (int slot = 0; slot < tf::kTextSlotCount; ++slot) {
        uint32_t offset = header.U32At(tf::kTextSlotsAt + 8 * slot);
        uint32_t size = header.U32At(tf::kTextSlotsAt + 8 * slot + 4);
        if (size == 0) continue;
        const uint8_t* text = block.BytesAt(offset, size);
        if (!text) return Fail("text slot " + std::to_string(slot + 1) + " lies outside the data block");
        texts_[slot] = DecodeUtf16z(text, size);
    }
    if (!texts_[0] || texts_[0]->empty()) texts_[0] = pathtext::Stem(path);
    return true;
}

bool Reader::WalkRecords(uint32_t firstRecord) {
    uint64_t at = firstRecord;
    while (at < blockSize_) {
        ByteReader block(block_, blockSize_);
        if (!block.Contains(at, tf::kRecordHeaderSize)) return Fail(At("record header is cut short", at));
        uint32_t type = block.U32At(at);
        uint32_t total = block.U32At(at + 8);
        uint32_t recordVersion = block.U32At(at + 12);
        if (total < tf::kRecordHeaderSize)
            return Fail(At("record size " + std::to_string(total) + " is too small", at));
        if (!block.Contains(at, total)) return Fail(At("record runs past the end of the data block", at));
        ByteReader record(block_ + at, total);
        bool ok = true;
        switch (type) {
            case tf::kRecordCursor:
                ok = ReadCursor(record, at);
                break;
            case tf::kRecordClickEffect:
            case tf::kRecordTrail:
                ok = ReadEffectOrTrail(record, at, type, recordVersion);
                break;
            case tf::kRecordSound:
                ok = ReadSound(record, at, recordVersion);
                break;
            default:
                break;  // a record type this reader does not know is passed over
        }
        if (!ok) return false;
        at += total;
    }
    return true;
}

bool Reader::ReadScript(ByteReader& record, uint32_t offsetAt, uint32_t sizeAt, std::wstring& script) {
    uint32_t size = record.U32At(sizeAt);
    if (size == 0) return true;
    const uint8_t* text = record.BytesAt(record.U32At(offsetAt), size);
    if (!text) return false;
    script = DecodeUtf16z(text, size);
    return true;
}

bool Reader::BuildImage(ByteReader& record, uint64_t at, uint32_t widthAt, uint32_t heightAt, uint32_t offsetAt,
                        uint32_t sizeAt, const std::wstring& stateName, CAnimation& animation, bool allowLoop) {
    uint32_t size = record.U32At(sizeAt);
    if (size == 0) return true;
    uint32_t width = record.U32At(widthAt);
    uint32_t height = record.U32At(heightAt);
    if (uint64_t(width) * height * 4 != size) return Fail(At("image size does not match its width and height", at));
    if (!halvix::BitmapSizeAllowed(width, height)) return Fail(At("image is too large", at));
    const uint8_t* pixels = record.BytesAt(record.U32At(offsetAt), size);
    if (!pixels) return Fail(At("image data lies outside its record", at));
    auto* bitmap = new HVBitmap(static_cast<int>(width), static_cast<int>(height), HVB_ALPHA);
    if (!bitmap->IsValid()) {
        delete bitmap;
        return Fail(At("image memory could not be allocated", at));
    }
    std::memcpy(bitmap->Bits(), pixels, size);
    if (premultiplied_) bitmap->SetPremultiplied(true);
    animation.image = MakeAnimationState(stateName, bitmap, animation, allowLoop);
    return true;
}

bool Reader::ReadCursor(ByteReader& record, uint64_t at) {
    const bool hasScale = version_ == tf::kVersion2003;
    if (record.Size() < (hasScale ? tf::cursor::kFixedSize : tf::cursor::kFixedSizeOld)) {
        return Fail(At("cursor record is shorter than its fields", at));
    }
    uint32_t role = record.U32At(tf::cursor::kRole);
    uint32_t event = record.U32At(tf::cursor::kEvent);
    if (preview_ && (previewCursorTaken_ || role != 0 || event != 1)) return true;

    CCursor cursor;
    cursor.role = role;
    cursor.event = event;
    cursor.variant = 1;
    cursor.standard = record.U32At(tf::cursor::kHasImage) == 0 ? 1 : 0;
    cursor.frames = ToInt(record.U32At(tf::cursor::kFrames));
    cursor.interval = ToInt(record.U32At(tf::cursor::kInterval));
    uint32_t flags = record.U32At(tf::cursor::kFlags);
    cursor.style = (flags & tf::kFlagStyle) ? 1 : 0;
    cursor.reverse = (flags & tf::kFlagReverse) ? 1 : 0;
    // The two oldest versions had no loop switch: their cursors always loop.
    bool loopAlways = version_ == tf::kVersion2000 || version_ == tf::kVersion2001;
    cursor.loop = (loopAlways || (flags & tf::kFlagLoop)) ? 1 : 0;
    cursor.hotSpotX = record.I32At(tf::cursor::kHotSpotX);
    cursor.hotSpotY = record.I32At(tf::cursor::kHotSpotY);
    cursor.scale = hasScale ? record.F64At(tf::cursor::kScale) : 1.0;
    cursor.stored = 1;
    // The scale keys the theme's cursor map and divides in rescaling.
    if (!std::isfinite(cursor.scale) || cursor.scale <= 0) return Fail(At("cursor record has an invalid scale", at));
    if (!ReadScript(record, tf::cursor::kScriptOffset, tf::cursor::kScriptSize, cursor.frameScript)) {
        return Fail(At("frame script lies outside its record", at));
    }
    if (!BuildImage(record, at, tf::cursor::kWidth, tf::cursor::kHeight, tf::cursor::kPixelsOffset,
                    tf::cursor::kPixelsSize, CursorStateName(role, event), cursor, true)) {
        return false;
    }
    double scale = cursor.scale;
    theme_.AddCursor(std::move(cursor));
    result_.cursorOrder.emplace_back(scale, theme_.cursors[scale].size() - 1);
    flags_ |= kThemeHasCursors;
    if (preview_) previewCursorTaken_ = true;
    return true;
}

bool Reader::ReadEffectOrTrail(ByteReader& record, uint64_t at, uint32_t type, uint32_t recordVersion) {
    const bool isTrail = type == tf::kRecordTrail;
    flags_ |= isTrail ? kThemeHasTrails : kThemeHasClickEffects;
    const bool oldVersion = version_ != tf::kVersion2003;
    bool hasRate = false;
    if (isTrail && oldVersion) {
        if (recordVersion != tf::trail::kRecordVersion && recordVersion != tf::effect::kRecordVersion) {
            result_.unsupportedContent = true;
            return true;
        }
        hasRate = recordVersion == tf::trail::kRecordVersion;
    } else if (isTrail) {
        hasRate = true;
    } else if (oldVersion && recordVersion != tf::effect::kRecordVersion) {
        return true;  // no known layout: passed over
    }
    if (preview_) return true;
    uint32_t key = record.U32At(tf::effect::kKey);
    if (key >= static_cast<uint32_t>(isTrail ? 3 : 9)) return true;
    if (record.Size() < tf::effect::kFixedSize)
        return Fail(At("effect or trail record is shorter than its fields", at));
    // A version 2003 file may hold a trail record laid out without the rate: read it as such.
    if (hasRate && record.Size() < tf::trail::kRate + 4) {
        if (oldVersion) return Fail(At("trail record is shorter than its fields", at));
        hasRate = false;
    }

    CTrail entry;  // a trail entry is an effect entry with a rate
    entry.key = static_cast<int>(key);
    entry.frames = ToInt(record.U32At(tf::effect::kFrames));
    entry.interval = ToInt(record.U32At(tf::effect::kInterval));
    uint32_t flags = record.U32At(tf::effect::kFlags);
    entry.style = (flags & tf::kFlagStyle) ? 1 : 0;
    entry.loop = (flags & tf::kFlagLoop) ? 1 : 0;
    entry.reverse = (flags & tf::kFlagReverse) ? 1 : 0;
    entry.hotSpotX = record.I32At(tf::effect::kHotSpotX);
    entry.hotSpotY = record.I32At(tf::effect::kHotSpotY);
    if (hasRate) {
        int32_t rate = record.I32At(tf::trail::kRate);
        entry.rate = rate == 0 ? kDefaultTrailRate : rate;
    }
    if (!ReadScript(record, tf::effect::kScriptOffset, tf::effect::kScriptSize, entry.frameScript)) {
        return Fail(At("frame script lies outside its record", at));
    }
    if (!BuildImage(record, at, tf::effect::kWidth, tf::effect::kHeight, tf::effect::kPixelsOffset,
                    tf::effect::kPixelsSize, L"Default", entry, false)) {
        return false;
    }
    if (isTrail) {
        theme_.trails.insert_or_assign(entry.key, std::move(entry));
    } else {
        CClickEffect effect;
        static_cast<CAnimation&>(effect) = std::move(static_cast<CAnimation&>(entry));
        effect.key = entry.key;
        theme_.SetClickEffect(effect.key, std::move(effect));
    }
    return true;
}

bool Reader::ReadSound(ByteReader& record, uint64_t at, uint32_t recordVersion) {
    flags_ |= kThemeHasSounds;
    if (preview_) return true;
    if (version_ != tf::kVersion2003 && recordVersion != tf::sound::kRecordVersion) return true;  // no known layout
    if (record.Size() < tf::sound::kFixedSize) return Fail(At("sound record is shorter than its fields", at));
    uint32_t key = record.U32At(tf::sound::kKey);
    uint32_t size = record.U32At(tf::sound::kDataSize);
    if (key >= 9 || size == 0) return true;
    const uint8_t* data = record.BytesAt(record.U32At(tf::sound::kDataOffset), size);
    if (!data) return Fail(At("sound data lies outside its record", at));
    theme_.SetSound(static_cast<int>(key), std::vector<uint8_t>(data, data + size));
    return true;
}

}  // namespace

ThemeReadResult ReadThemeBytes(CTheme& theme, const uint8_t* data, size_t size, const std::wstring& path,
                               bool preview) {
    ThemeReadResult result;
    Reader reader(theme, result, preview);
    reader.Read(data, size, path);
    return result;
}

uint32_t PeekThemeVersion(const uint8_t* data, size_t size) {
    ByteReader file(data, size);
    if (!file.Contains(0, 16)) return 0;
    return file.U32At(tf::kVersionAt);
}
