#pragma once
// Layout constants of the theme file: a 184-byte header, then one data block (optionally one zlib
// stream) holding six UTF-16 texts and a run of typed records. All integers little-endian.
#include <cstdint>

namespace themeformat {

constexpr uint32_t kVersion2000 = 2000;
constexpr uint32_t kVersion2001 = 2001;
constexpr uint32_t kVersion2002 = 2002;
constexpr uint32_t kVersion2003 = 2003;

// Header.
constexpr uint32_t kHeaderSize = 184;
constexpr uint32_t kHeaderMagicAt = 0;  // 1
constexpr uint32_t kHeaderSizeAt = 4;
constexpr uint32_t kBlockSizeAt = 8;  // size after decompression
constexpr uint32_t kVersionAt = 12;
constexpr uint32_t kNoticeAt = 16;
constexpr uint32_t kNoticeSize = 88;
constexpr uint32_t kContentFlagsAt = 104;
constexpr uint32_t kOptionLockAt = 108;
constexpr uint32_t kOneAt = 116;             // 1, not read
constexpr uint32_t kCompressedSizeAt = 120;  // 0: stored uncompressed
constexpr uint32_t kPremultipliedAt = 128;
constexpr uint32_t kTextSlotsAt = 132;  // six (offset, size) pairs
constexpr int kTextSlotCount = 6;
constexpr uint32_t kFirstRecordAt = 180;

// The notice line the writer puts into the header.
constexpr const char* kNotice = "Morvanta cursor theme - Halberon";

// Records: type, fixed-part size, total size, record version, then the type's fields.
constexpr uint32_t kRecordCursor = 2;
constexpr uint32_t kRecordClickEffect = 4;
constexpr uint32_t kRecordTrail = 8;
constexpr uint32_t kRecordSound = 16;
constexpr uint32_t kRecordHeaderSize = 16;

// Animation flags of cursor, effect and trail records.
constexpr uint32_t kFlagStyle = 0x01;
constexpr uint32_t kFlagLoop = 0x02;
constexpr uint32_t kFlagReverse = 0x04;

namespace cursor {
constexpr uint32_t kFixedSize = 88;     // as written (version 2003, with the scale)
constexpr uint32_t kFixedSizeOld = 80;  // versions 2000 to 2002: no scale
constexpr uint32_t kRecordVersion = 3;
constexpr uint32_t kRole = 16, kEvent = 20, kHasImage = 24, kFrames = 28, kWidth = 32, kHeight = 36, kInterval = 40,
                   kFlags = 44, kHotSpotX = 52, kHotSpotY = 56, kPixelsOffset = 60, kPixelsSize = 64,
                   kScriptOffset = 68, kScriptSize = 72, kScale = 80;
}  // namespace cursor

// Click-effect records; trail records share these offsets (key = trail key) and add the rate.
namespace effect {
constexpr uint32_t kFixedSize = 68;
constexpr uint32_t kRecordVersion = 2;
constexpr uint32_t kKey = 16, kFrames = 20, kWidth = 24, kHeight = 28, kInterval = 32, kFlags = 36, kHotSpotX = 44,
                   kHotSpotY = 48, kPixelsOffset = 52, kPixelsSize = 56, kScriptOffset = 60, kScriptSize = 64;
}  // namespace effect

namespace trail {
constexpr uint32_t kFixedSize = 100;
constexpr uint32_t kFixedSizeV2 = 68;  // record version 2 ends before the rate
constexpr uint32_t kRecordVersion = 3;
constexpr uint32_t kRate = 68;
}  // namespace trail

namespace sound {
constexpr uint32_t kFixedSize = 28;
constexpr uint32_t kRecordVersion = 1;
constexpr uint32_t kKey = 16, kDataOffset = 20, kDataSize = 24;
}  // namespace sound

// zlib cannot expand data more than about 1032 to 1: a block whose stated size is further above
// its compressed size is refused before anything is allocated.
constexpr uint64_t kMaxInflateRatio = 1032;
// No data block may be larger than this (far above any real theme).
constexpr uint64_t kMaxBlockSize = uint64_t(1) << 30;

}  // namespace themeformat
