#include "theme/archive_extract.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/support/zip_builder.h"

namespace {

// Keeps what an extraction writes, by relative path.
class MemorySink final : public ExtractSink {
public:
    std::map<std::wstring, std::string> files;
    std::vector<std::wstring> folders;

    bool CreateFolder(const std::wstring& path) override {
        folders.push_back(path);
        return true;
    }
    bool BeginFile(const std::wstring& path) override {
        current_ = path;
        data_.clear();
        return true;
    }
    bool WriteChunk(const uint8_t* data, size_t size) override {
        data_.append(reinterpret_cast<const char*>(data), size);
        return true;
    }
    void EndFile(bool complete) override {
        if (complete) files[current_] = data_;
    }

private:
    std::wstring current_;
    std::string data_;
};

bool Safe(const std::wstring& name, std::wstring* relative = nullptr) {
    std::wstring path;
    bool folder = false;
    const bool ok = SafeEntryPath(name, path, folder);
    if (relative) *relative = path;
    return ok;
}

}  // namespace

TEST(SafeEntryPath, KeepsOrdinaryRelativePathsWithBackslashes) {
    std::wstring path;
    EXPECT_TRUE(Safe(L"scheme.ini", &path));
    EXPECT_EQ(path, L"scheme.ini");
    EXPECT_TRUE(Safe(L"Cursors/Arrow.png", &path));
    EXPECT_EQ(path, L"Cursors\\Arrow.png");
    EXPECT_TRUE(Safe(L"a//./b\\c.bmp", &path));
    EXPECT_EQ(path, L"a\\b\\c.bmp");
}

TEST(SafeEntryPath, RefusesEveryWayOutOfTheTargetFolder) {
    EXPECT_FALSE(Safe(L"..\\..\\evil.txt"));
    EXPECT_FALSE(Safe(L"a/../../evil.txt"));
    EXPECT_FALSE(Safe(L"/etc/evil"));
    EXPECT_FALSE(Safe(L"\\Windows\\evil.dll"));
    EXPECT_FALSE(Safe(L"C:\\evil.txt"));
    EXPECT_FALSE(Safe(L"C:evil.txt"));
    EXPECT_FALSE(Safe(L"\\\\server\\share\\evil"));
    EXPECT_FALSE(Safe(L"file.txt:stream"));
    EXPECT_FALSE(Safe(L"a/.../evil"));  // Windows would drop the trailing dots
    EXPECT_FALSE(Safe(L"a/b. /c"));
    EXPECT_FALSE(Safe(L""));
    EXPECT_FALSE(Safe(L"./"));
}

TEST(ExtractArchive, WritesEntriesUnderTheirStoredPaths) {
    const auto zip = ZipBuilder().Add("scheme.ini", "[Arrow]\nFrames=1\n").Add("img/Arrow.png", "png", false).Build();
    MemorySink sink;
    const ExtractReport report = ExtractArchive(zip, sink);
    EXPECT_TRUE(report.opened);
    EXPECT_EQ(report.filesWritten, 2);
    EXPECT_EQ(sink.files[L"scheme.ini"], "[Arrow]\nFrames=1\n");
    EXPECT_EQ(sink.files[L"img\\Arrow.png"], "png");
}

TEST(ExtractArchive, SkipsHostileNamesAndKeepsTheRest) {
    const auto zip = ZipBuilder()
                         .Add("..\\..\\evil.txt", "x")
                         .Add("/tmp/evil.txt", "x")
                         .Add("C:/evil.txt", "x")
                         .Add("good.txt", "ok")
                         .Build();
    MemorySink sink;
    const ExtractReport report = ExtractArchive(zip, sink);
    EXPECT_EQ(report.entriesSkipped, 3);
    ASSERT_EQ(sink.files.size(), 1u);
    EXPECT_EQ(sink.files.begin()->first, L"good.txt");
}

TEST(ExtractArchive, StopsWhenTheInflatedDataPassesTheLimit) {
    // 4 MiB of zeros deflate to a few kilobytes: the claimed size is not what is counted.
    const auto zip = ZipBuilder()
                         .Add("small.txt", "first")
                         .Add("bomb.bin", std::string(4 << 20, '\0'))
                         .Add("after.txt", "x")
                         .Build();
    ASSERT_LT(zip.size(), 64u * 1024);
    MemorySink sink;
    ExtractLimits limits;
    limits.maxTotalBytes = 1 << 20;
    const ExtractReport report = ExtractArchive(zip, sink, limits);
    EXPECT_TRUE(report.stoppedAtLimit);
    EXPECT_EQ(sink.files.count(L"bomb.bin"), 0u);
    EXPECT_EQ(sink.files.count(L"after.txt"), 0u);
    EXPECT_EQ(sink.files[L"small.txt"], "first");
}

TEST(ExtractArchive, StopsAfterTheEntryLimit) {
    ZipBuilder builder;
    for (int i = 0; i < 10; ++i) builder.Add("f" + std::to_string(i), "x");
    MemorySink sink;
    ExtractLimits limits;
    limits.maxEntries = 4;
    const ExtractReport report = ExtractArchive(builder.Build(), sink, limits);
    EXPECT_TRUE(report.stoppedAtLimit);
    EXPECT_EQ(sink.files.size(), 4u);
}

TEST(ExtractArchive, DropsEntriesWhoseDataIsDamaged) {
    ZipBuilder::Entry broken{"broken.txt", "some data", true, true};
    const auto zip = ZipBuilder().Add(broken).Add("fine.txt", "fine").Build();
    MemorySink sink;
    const ExtractReport report = ExtractArchive(zip, sink);
    EXPECT_EQ(sink.files.count(L"broken.txt"), 0u);
    EXPECT_EQ(sink.files[L"fine.txt"], "fine");
    EXPECT_EQ(report.entriesSkipped, 1);
}

TEST(ExtractArchive, ATruncatedOrForeignFileWritesNothing) {
    auto zip = ZipBuilder().Add("scheme.ini", "x").Build();
    zip.resize(zip.size() / 2);
    MemorySink sink;
    EXPECT_FALSE(ExtractArchive(zip, sink).opened);
    EXPECT_FALSE(ExtractArchive(std::vector<uint8_t>{'P', 'K', 3, 4}, sink).opened);
    EXPECT_FALSE(ExtractArchive({}, sink).opened);
    EXPECT_TRUE(sink.files.empty());
}

TEST(ExtractArchive, NamesMarkedUtf8AreDecodedAsUtf8) {
    ZipBuilder::Entry entry{"caf\xC3\xA9.png", "x", false};
    entry.flags = 0x800;
    MemorySink sink;
    ExtractArchive(ZipBuilder().Add(entry).Build(), sink);
    EXPECT_EQ(sink.files.count(L"caf\u00E9.png"), 1u);
}
