#include "theme/theme_reader.h"

#include <zlib.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>

#include "base/path_text.h"
#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "graphics/image_limits.h"
#include "theme/byte_reader.h"
#include "theme/inflate_stream.h"
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
    return what + " at block offset " + std::to_string(offset);
}

// One record's bytes: a head and a tail, with the pixel data between them left out when the
// pixels went straight into their bitmap. Reads that touch the left-out part get nothing.
class RecordBytes {
public:
    // The whole record in one piece.
    RecordBytes(const uint8_t* data, uint64_t size) : head_(data), headSize_(size) {}
    RecordBytes(const uint8_t* head, uint64_t headSize, uint64_t holeSize, const uint8_t* tail, uint64_t tailSize)
        : head_(head), headSize_(headSize), holeSize_(holeSize), tail_(tail), tailSize_(tailSize) {}

    uint64_t Size() const { return headSize_ + holeSize_ + tailSize_; }
    // The fixed fields always lie in the head.
    ByteReader Fields() const { return ByteReader(head_, static_cast<size_t>(headSize_)); }
    const uint8_t* BytesAt(uint64_t offset, uint64_t count) const {
        if (offset <= headSize_ && count <= headSize_ - offset) return head_ + offset;
        const uint64_t tailStart = headSize_ + holeSize_;
        if (offset >= tailStart && offset - tailStart <= tailSize_ && count <= tailSize_ - (offset - tailStart)) {
            return tail_ + (offset - tailStart);
        }
        return nullptr;
    }

private:
    const uint8_t* head_;
    uint64_t headSize_;
    uint64_t holeSize_ = 0;
    const uint8_t* tail_ = nullptr;
    uint64_t tailSize_ = 0;
};

// What the reader does with one record, decided from its header and fixed fields.
struct RecordPlan {
    enum Kind { kSkip, kCursor, kEffect, kTrail, kSound } kind = kSkip;
    bool hasRate = false;
    uint32_t pixelsOffset = 0;  // image kinds: where the pixels lie in the record, and how many
    uint32_t pixelsSize = 0;
};

// Bytes from the start of a record that hold every fixed field the reader looks at.
uint64_t FieldsExtent(uint32_t type, uint32_t version, uint64_t total) {
    switch (type) {
        case tf::kRecordCursor:
            return version == tf::kVersion2003 ? tf::cursor::kFixedSize : tf::cursor::kFixedSizeOld;
        case tf::kRecordClickEffect:
            return tf::effect::kFixedSize;
        case tf::kRecordTrail:
            return total >= tf::trail::kRate + 4 ? tf::trail::kRate + 4 : tf::effect::kFixedSize;
        case tf::kRecordSound:
            return tf::sound::kFixedSize;
        default:
            return tf::kRecordHeaderSize;
    }
}

class Reader {
public:
    Reader(CTheme& theme, ThemeReadResult& result, bool preview, bool allowStreaming)
        : theme_(theme), result_(result), preview_(preview), allowStreaming_(allowStreaming) {}

    bool Read(const uint8_t* data, size_t size, const std::wstring& path);

private:
    bool Fail(std::string reason) {
        result_.error = std::move(reason);
        return false;
    }
    // Undoes what a read added, for a retry or a failure; texts are only set at the very end.
    void Forget();
    bool CheckBlockSizes(uint32_t compressedSize);
    bool InflateBlock(const uint8_t* packed, uint32_t compressedSize);
    bool ReadTexts(const ByteReader& header, const uint8_t* block, uint64_t blockSize, const std::wstring& path);
    bool WalkBlock(const uint8_t* block, uint32_t firstRecord);
    // The streaming read; false means "not done", after which the whole-block read runs.
    bool StreamBlock(const ByteReader& header, const uint8_t* packed, uint32_t compressedSize,
                     const std::wstring& path);

    // Decides what to do with a record (and sets the content flags of the records met).
    bool PlanRecord(const ByteReader& fields, uint64_t size, uint32_t type, uint32_t recordVersion, uint64_t at,
                    RecordPlan& plan);
    // A zero-filled bitmap for the record's image, after checking its sizes; null with no pixels.
    bool MakeBitmap(const ByteReader& fields, uint32_t type, const RecordPlan& plan, uint64_t at,
                    std::unique_ptr<HVBitmap>& bitmap);
    // Adds the record's cursor, effect, trail or sound to the theme; the bitmap is filled.
    bool TakeRecord(const RecordBytes& record, const RecordPlan& plan, uint64_t at, std::unique_ptr<HVBitmap> bitmap);
    bool ReadScript(const RecordBytes& record, uint32_t offsetAt, uint32_t sizeAt, std::wstring& script);
    void TakeAnimationFields(const ByteReader& fields, CAnimation& animation, uint32_t type);

    CTheme& theme_;
    ThemeReadResult& result_;
    bool preview_;
    bool allowStreaming_;
    uint32_t version_ = 0;
    bool premultiplied_ = false;
    uint64_t blockSize_ = 0;
    std::unique_ptr<uint8_t[]> inflated_;
    std::optional<std::wstring> texts_[tf::kTextSlotCount];
    bool previewCursorTaken_ = false;
    int flags_ = 0;
};

void Reader::Forget() {
    theme_.Reset();
    result_.cursorOrder.clear();
    result_.unsupportedContent = false;
    result_.error.clear();
    previewCursorTaken_ = false;
    flags_ = 0;
    for (auto& text : texts_) text.reset();
}

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
    blockSize_ = file.U32At(tf::kBlockSizeAt);
    const uint32_t compressedSize = file.U32At(tf::kCompressedSizeAt);
    if (!CheckBlockSizes(compressedSize)) return false;
    const uint8_t* stored = file.BytesAt(tf::kHeaderSize, compressedSize ? compressedSize : blockSize_);
    if (!stored) {
        return Fail(compressedSize
                        ? "compressed data block is cut short"
                        : "data block is cut short: the header says " + std::to_string(blockSize_) + " bytes");
    }

    bool done = false;
    if (compressedSize != 0 && allowStreaming_) {
        done = StreamBlock(file, stored, compressedSize, path);
        if (!done) Forget();
    }
    if (!done) {
        const uint8_t* block = stored;
        if (compressedSize != 0) {
            if (!InflateBlock(stored, compressedSize)) return false;
            block = inflated_.get();
        }
        if (!ReadTexts(file, block, blockSize_, path)) return false;
        if (!WalkBlock(block, file.U32At(tf::kFirstRecordAt))) {
            std::string reason = std::move(result_.error);  // Forget clears it with the rest
            Forget();
            return Fail(std::move(reason));
        }
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

bool Reader::CheckBlockSizes(uint32_t compressedSize) {
    if (blockSize_ > tf::kMaxBlockSize) return Fail("data block size " + std::to_string(blockSize_) + " is too large");
    if (compressedSize != 0 && blockSize_ > uint64_t(compressedSize) * tf::kMaxInflateRatio) {
        return Fail("data block size " + std::to_string(blockSize_) + " cannot come from " +
                    std::to_string(compressedSize) + " compressed bytes");
    }
    return true;
}

bool Reader::InflateBlock(const uint8_t* packed, uint32_t compressedSize) {
    // Not zero-filled: every byte is written by the inflation or the read fails.
    inflated_.reset(new (std::nothrow) uint8_t[blockSize_ ? blockSize_ : 1]);
    if (!inflated_) return Fail("data block memory could not be allocated");
    uLongf produced = static_cast<uLongf>(blockSize_);
    int status = uncompress(inflated_.get(), &produced, packed, compressedSize);
    if (status != Z_OK)
        return Fail("compressed data block does not inflate (zlib error " + std::to_string(status) + ")");
    if (produced != blockSize_) return Fail("compressed data block inflates to fewer bytes than the header says");
    return true;
}

bool Reader::ReadTexts(const ByteReader& header, const uint8_t* block, uint64_t blockSize, const std::wstring& path) {
    ByteReader fields = header;
    ByteReader data(block, static_cast<size_t>(blockSize));
    for (int slot = 0; slot < tf::kTextSlotCount; ++slot) {
        uint32_t offset = fields.U32At(tf::kTextSlotsAt + 8 * slot);
        uint32_t size = fields.U32At(tf::kTextSlotsAt + 8 * slot + 4);
        if (size == 0) continue;
        const uint8_t* text = data.BytesAt(offset, size);
        if (!text) return Fail("text slot " + std::to_string(slot + 1) + " lies outside the data block");
        texts_[slot] = DecodeUtf16z(text, size);
    }
    if (!texts_[0] || texts_[0]->empty()) texts_[0] = pathtext::Stem(path);
    return true;
}

bool Reader::WalkBlock(const uint8_t* block, uint32_t firstRecord) {
    ByteReader data(block, static_cast<size_t>(blockSize_));
    for (uint64_t at = firstRecord; at < blockSize_;) {
        if (!data.Contains(at, tf::kRecordHeaderSize)) return Fail(At("record header is cut short", at));
        const uint32_t type = data.U32At(at);
        const uint32_t total = data.U32At(at + 8);
        const uint32_t recordVersion = data.U32At(at + 12);
        if (total < tf::kRecordHeaderSize)
            return Fail(At("record size " + std::to_string(total) + " is too small", at));
        if (!data.Contains(at, total)) return Fail(At("record runs past the end of the data block", at));
        RecordBytes record(block + at, total);
        ByteReader fields = record.Fields();
        RecordPlan plan;
        if (!PlanRecord(fields, total, type, recordVersion, at, plan)) return false;
        if (plan.kind != RecordPlan::kSkip) {
            std::unique_ptr<HVBitmap> bitmap;
            if (!MakeBitmap(fields, type, plan, at, bitmap)) return false;
            if (bitmap) {
                const uint8_t* pixels = record.BytesAt(plan.pixelsOffset, plan.pixelsSize);
                if (!pixels) return Fail(At("image data lies outside its record", at));
                std::memcpy(bitmap->Bits(), pixels, plan.pixelsSize);
            }
            if (!TakeRecord(record, plan, at, std::move(bitmap))) return false;
        }
        at += total;
    }
    return true;
}

bool Reader::StreamBlock(const ByteReader& header, const uint8_t* packed, uint32_t compressedSize,
                         const std::wstring& path) {
    InflateStream stream(packed, compressedSize);
    ByteReader fields = header;
    const uint64_t firstRecord = fields.U32At(tf::kFirstRecordAt);
    // The texts must lie before the first record; any other layout is left to the whole-block read.
    const uint64_t prefixSize = std::min<uint64_t>(firstRecord, blockSize_);
    std::vector<uint8_t> prefix(static_cast<size_t>(prefixSize));
    if (!stream.Read(prefix.data(), prefixSize)) return false;
    if (!ReadTexts(header, prefix.data(), prefixSize, path)) return false;

    std::vector<uint8_t> head;
    std::vector<uint8_t> tail;
    for (uint64_t at = firstRecord; at < blockSize_;) {
        if (blockSize_ - at < tf::kRecordHeaderSize) return false;
        head.resize(tf::kRecordHeaderSize);
        if (!stream.Read(head.data(), head.size())) return false;
        ByteReader common(head.data(), head.size());
        const uint32_t type = common.U32At(0);
        const uint32_t total = common.U32At(8);
        const uint32_t recordVersion = common.U32At(12);
        if (total < tf::kRecordHeaderSize || total > blockSize_ - at) return false;
        const uint64_t extent = std::min<uint64_t>(FieldsExtent(type, version_, total), total);
        head.resize(static_cast<size_t>(extent));
        if (!stream.Read(head.data() + tf::kRecordHeaderSize, extent - tf::kRecordHeaderSize)) return false;

        RecordPlan plan;
        ByteReader recordFields(head.data(), head.size());
        if (!PlanRecord(recordFields, total, type, recordVersion, at, plan)) return false;
        if (plan.kind == RecordPlan::kSkip) {
            if (!stream.Skip(total - extent)) return false;
            at += total;
            continue;
        }
        // The pixels must follow the fixed fields inside the record to go straight into the bitmap.
        std::unique_ptr<HVBitmap> bitmap;
        uint64_t holeStart = total, holeSize = 0;
        if (plan.pixelsSize != 0) {
            if (plan.pixelsOffset < extent || plan.pixelsOffset > total ||
                plan.pixelsSize > total - plan.pixelsOffset) {
                return false;
            }
            holeStart = plan.pixelsOffset;
            holeSize = plan.pixelsSize;
        }
        head.resize(static_cast<size_t>(holeStart));
        if (!stream.Read(head.data() + extent, holeStart - extent)) return false;
        ByteReader headFields(head.data(), head.size());
        if (!MakeBitmap(headFields, type, plan, at, bitmap)) return false;
        if (bitmap && !stream.Read(bitmap->Bits(), plan.pixelsSize)) return false;
        tail.resize(static_cast<size_t>(total - holeStart - holeSize));
        if (!stream.Read(tail.data(), tail.size())) return false;
        RecordBytes record(head.data(), head.size(), holeSize, tail.data(), tail.size());
        if (!TakeRecord(record, plan, at, std::move(bitmap))) return false;
        at += total;
    }
    return stream.Produced() == blockSize_ && stream.AtEnd();
}

bool Reader::PlanRecord(const ByteReader& fields, uint64_t size, uint32_t type, uint32_t recordVersion, uint64_t at,
                        RecordPlan& plan) {
    ByteReader f = fields;
    const bool oldVersion = version_ != tf::kVersion2003;
    plan = RecordPlan{};
    switch (type) {
        case tf::kRecordCursor: {
            if (size < FieldsExtent(type, version_, size))
                return Fail(At("cursor record is shorter than its fields", at));
            if (preview_ &&
                (previewCursorTaken_ || f.U32At(tf::cursor::kRole) != 0 || f.U32At(tf::cursor::kEvent) != 1)) {
                return true;
            }
            plan.kind = RecordPlan::kCursor;
            plan.pixelsOffset = f.U32At(tf::cursor::kPixelsOffset);
            plan.pixelsSize = f.U32At(tf::cursor::kPixelsSize);
            return true;
        }
        case tf::kRecordClickEffect:
        case tf::kRecordTrail: {
            const bool isTrail = type == tf::kRecordTrail;
            flags_ |= isTrail ? kThemeHasTrails : kThemeHasClickEffects;
            if (isTrail && oldVersion) {
                if (recordVersion != tf::trail::kRecordVersion && recordVersion != tf::effect::kRecordVersion) {
                    result_.unsupportedContent = true;
                    return true;
                }
                plan.hasRate = recordVersion == tf::trail::kRecordVersion;
            } else if (isTrail) {
                plan.hasRate = true;
            } else if (oldVersion && recordVersion != tf::effect::kRecordVersion) {
                return true;  // no known layout: passed over
            }
            if (preview_) return true;
            if (f.U32At(tf::effect::kKey) >= static_cast<uint32_t>(isTrail ? 3 : 9)) return true;
            if (size < tf::effect::kFixedSize) return Fail(At("effect or trail record is shorter than its fields", at));
            // A version 2003 file may hold a trail record laid out without the rate: read it as such.
            if (plan.hasRate && size < tf::trail::kRate + 4) {
                if (oldVersion) return Fail(At("trail record is shorter than its fields", at));
                plan.hasRate = false;
            }
            plan.kind = isTrail ? RecordPlan::kTrail : RecordPlan::kEffect;
            plan.pixelsOffset = f.U32At(tf::effect::kPixelsOffset);
            plan.pixelsSize = f.U32At(tf::effect::kPixelsSize);
            return true;
        }
        case tf::kRecordSound:
            flags_ |= kThemeHasSounds;
            if (preview_) return true;
            if (oldVersion && recordVersion != tf::sound::kRecordVersion) return true;  // no known layout
            if (size < tf::sound::kFixedSize) return Fail(At("sound record is shorter than its fields", at));
            if (f.U32At(tf::sound::kKey) < 9 && f.U32At(tf::sound::kDataSize) != 0) plan.kind = RecordPlan::kSound;
            return true;
        default:
            return true;  // a record type this reader does not know is passed over
    }
}

bool Reader::MakeBitmap(const ByteReader& fields, uint32_t type, const RecordPlan& plan, uint64_t at,
                        std::unique_ptr<HVBitmap>& bitmap) {
    if (plan.kind == RecordPlan::kSound || plan.pixelsSize == 0) return true;
    ByteReader f = fields;
    const bool cursor = type == tf::kRecordCursor;
    const uint32_t width = f.U32At(cursor ? tf::cursor::kWidth : tf::effect::kWidth);
    const uint32_t height = f.U32At(cursor ? tf::cursor::kHeight : tf::effect::kHeight);
    if (uint64_t(width) * height * 4 != plan.pixelsSize)
        return Fail(At("image size does not match its width and height", at));
    if (!halvix::BitmapSizeAllowed(width, height)) return Fail(At("image is too large", at));
    bitmap.reset(new HVBitmap(static_cast<int>(width), static_cast<int>(height), HVB_ALPHA));
    if (!bitmap->IsValid()) return Fail(At("image memory could not be allocated", at));
    return true;
}

bool Reader::ReadScript(const RecordBytes& record, uint32_t offsetAt, uint32_t sizeAt, std::wstring& script) {
    ByteReader f = record.Fields();
    const uint32_t size = f.U32At(sizeAt);
    if (size == 0) return true;
    const uint8_t* text = record.BytesAt(f.U32At(offsetAt), size);
    if (!text) return false;
    script = DecodeUtf16z(text, size);
    return true;
}

void Reader::TakeAnimationFields(const ByteReader& fields, CAnimation& animation, uint32_t type) {
    ByteReader f = fields;
    const bool cursor = type == tf::kRecordCursor;
    animation.frames = ToInt(f.U32At(cursor ? tf::cursor::kFrames : tf::effect::kFrames));
    animation.interval = ToInt(f.U32At(cursor ? tf::cursor::kInterval : tf::effect::kInterval));
    const uint32_t flags = f.U32At(cursor ? tf::cursor::kFlags : tf::effect::kFlags);
    animation.style = (flags & tf::kFlagStyle) ? 1 : 0;
    animation.reverse = (flags & tf::kFlagReverse) ? 1 : 0;
    animation.loop = (flags & tf::kFlagLoop) ? 1 : 0;
    animation.hotSpotX = f.I32At(cursor ? tf::cursor::kHotSpotX : tf::effect::kHotSpotX);
    animation.hotSpotY = f.I32At(cursor ? tf::cursor::kHotSpotY : tf::effect::kHotSpotY);
}

bool Reader::TakeRecord(const RecordBytes& record, const RecordPlan& plan, uint64_t at,
                        std::unique_ptr<HVBitmap> bitmap) {
    ByteReader f = record.Fields();
    if (bitmap && premultiplied_) bitmap->SetPremultiplied(true);
    if (plan.kind == RecordPlan::kSound) {
        const uint32_t size = f.U32At(tf::sound::kDataSize);
        const uint8_t* data = record.BytesAt(f.U32At(tf::sound::kDataOffset), size);
        if (!data) return Fail(At("sound data lies outside its record", at));
        theme_.SetSound(static_cast<int>(f.U32At(tf::sound::kKey)), std::vector<uint8_t>(data, data + size));
        return true;
    }
    if (plan.kind == RecordPlan::kCursor) {
        CCursor cursor;
        TakeAnimationFields(f, cursor, tf::kRecordCursor);
        cursor.role = f.U32At(tf::cursor::kRole);
        cursor.event = f.U32At(tf::cursor::kEvent);
        cursor.variant = 1;
        cursor.standard = f.U32At(tf::cursor::kHasImage) == 0 ? 1 : 0;
        // The two oldest versions had no loop switch: their cursors always loop.
        if (version_ == tf::kVersion2000 || version_ == tf::kVersion2001) cursor.loop = 1;
        cursor.scale = version_ == tf::kVersion2003 ? f.F64At(tf::cursor::kScale) : 1.0;
        cursor.stored = 1;
        // The scale keys the theme's cursor map and divides in rescaling.
        if (!std::isfinite(cursor.scale) || cursor.scale <= 0)
            return Fail(At("cursor record has an invalid scale", at));
        if (!ReadScript(record, tf::cursor::kScriptOffset, tf::cursor::kScriptSize, cursor.frameScript)) {
            return Fail(At("frame script lies outside its record", at));
        }
        if (bitmap) {
            cursor.image =
                MakeAnimationState(CursorStateName(cursor.role, cursor.event), bitmap.release(), cursor, true);
        }
        const double scale = cursor.scale;
        theme_.AddCursor(std::move(cursor));
        result_.cursorOrder.emplace_back(scale, theme_.cursors[scale].size() - 1);
        flags_ |= kThemeHasCursors;
        if (preview_) previewCursorTaken_ = true;
        return true;
    }
    CTrail entry;  // a trail entry is an effect entry with a rate
    TakeAnimationFields(f, entry, plan.kind == RecordPlan::kTrail ? tf::kRecordTrail : tf::kRecordClickEffect);
    entry.key = static_cast<int>(f.U32At(tf::effect::kKey));
    if (plan.hasRate) {
        const int32_t rate = f.I32At(tf::trail::kRate);
        entry.rate = rate == 0 ? kDefaultTrailRate : rate;
    }
    if (!ReadScript(record, tf::effect::kScriptOffset, tf::effect::kScriptSize, entry.frameScript)) {
        return Fail(At("frame script lies outside its record", at));
    }
    if (bitmap) entry.image = MakeAnimationState(L"Default", bitmap.release(), entry, false);
    if (plan.kind == RecordPlan::kTrail) {
        theme_.trails.insert_or_assign(entry.key, std::move(entry));
    } else {
        CClickEffect effect;
        static_cast<CAnimation&>(effect) = std::move(static_cast<CAnimation&>(entry));
        theme_.SetClickEffect(entry.key, std::move(effect));
    }
    return true;
}

}  // namespace

ThemeReadResult ReadThemeBytes(CTheme& theme, const uint8_t* data, size_t size, const std::wstring& path,
                               bool preview) {
    return themereader::ReadThemeBytesWith(theme, data, size, path, preview, true);
}

namespace themereader {

ThemeReadResult ReadThemeBytesWith(CTheme& theme, const uint8_t* data, size_t size, const std::wstring& path,
                                   bool preview, bool allowStreaming) {
    ThemeReadResult result;
    Reader reader(theme, result, preview, allowStreaming);
    reader.Read(data, size, path);
    return result;
}

}  // namespace themereader

uint32_t PeekThemeVersion(const uint8_t* data, size_t size) {
    ByteReader file(data, size);
    if (!file.Contains(0, 16)) return 0;
    return file.U32At(tf::kVersionAt);
}
