#include "base/file_io.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace {

bool StartsWithTwo(const uint8_t* header, size_t size) {
    return size > 0 && header[0] == 2;
}

}  // namespace

TEST(FileRead, EveryOutcomeOfTheSharedReaderAndItsReasons) {
    TempFolder folder;
    const std::wstring path = folder.Write(L"data.bin", std::vector<uint8_t>{2, 7, 1, 8});
    std::vector<uint8_t> bytes;
    std::string reason;

    fileio::ReadOptions options;
    options.headerBytes = 1;
    options.headerAccepted = StartsWithTwo;
    EXPECT_EQ(fileio::ReadWhole(path, bytes, options, &reason), fileio::ReadStatus::kRead);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{2, 7, 1, 8}));  // the header and the rest, once each

    // Each refusal leaves no bytes and one line that names the file.
    struct Case {
        std::wstring path;
        uint64_t maxBytes;
        bool (*accept)(const uint8_t*, size_t);
        fileio::ReadStatus status;
    };
    const Case cases[] = {
        {folder.File(L"missing.bin"), 100, nullptr, fileio::ReadStatus::kNotOpened},
        {folder.Path(), 100, nullptr, fileio::ReadStatus::kNotOpened},  // a folder is no file
        {path, 3, nullptr, fileio::ReadStatus::kTooLarge},
        {folder.Write(L"other.bin", std::vector<uint8_t>{9, 9}), 100, StartsWithTwo, fileio::ReadStatus::kRefused},
    };
    for (const Case& c : cases) {
        fileio::ReadOptions limits;
        limits.maxBytes = c.maxBytes;
        limits.headerBytes = c.accept ? 1 : 0;
        limits.headerAccepted = c.accept;
        bytes = {1};
        reason.clear();
        EXPECT_EQ(fileio::ReadWhole(c.path, bytes, limits, &reason), c.status);
        EXPECT_TRUE(bytes.empty());
        EXPECT_NE(reason.find(text::Utf16ToUtf8(c.path)), std::string::npos) << reason;
        EXPECT_EQ(reason.find('\n'), std::string::npos) << reason;
    }
    EXPECT_TRUE(fileio::ReadWholeFile(path, bytes, 4));
    EXPECT_FALSE(fileio::ReadWholeFile(path, bytes, 3));
}
