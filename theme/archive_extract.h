#pragma once
// Extraction of ZIP theme archives of the earlier product. Archives come from strangers, so
// extraction never writes outside its target: entries with absolute paths, drive letters, ".."
// elements or characters Windows cannot store are skipped, and the total size and number of
// entries are bounded so that an archive bomb cannot fill the disk. Sizes are counted as the data
// actually inflates, not as the archive claims.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct ExtractLimits {
    uint64_t maxTotalBytes = 256ull * 1024 * 1024;  // all entries together, as inflated
    uint32_t maxEntries = 4096;
};

struct ExtractReport {
    bool opened = false;  // the archive's directory could be read
    int filesWritten = 0;
    int entriesSkipped = 0;  // unsafe names, encrypted or damaged entries
    bool stoppedAtLimit = false;
};

// Where extracted entries go. Paths are relative, elements joined by "\".
class ExtractSink {
public:
    virtual ~ExtractSink() = default;
    virtual bool CreateFolder(const std::wstring& relativePath) = 0;
    // Starts a file, replacing an existing one of that name.
    virtual bool BeginFile(const std::wstring& relativePath) = 0;
    virtual bool WriteChunk(const uint8_t* data, size_t size) = 0;
    // Ends the current file; an incomplete one (damaged data, a limit reached) is removed.
    virtual void EndFile(bool complete) = 0;
};

// Writes entries below a folder of the file system, recreating the archive's folders.
class FolderSink final : public ExtractSink {
public:
    explicit FolderSink(std::wstring folder);
    ~FolderSink() override;
    bool CreateFolder(const std::wstring& relativePath) override;
    bool BeginFile(const std::wstring& relativePath) override;
    bool WriteChunk(const uint8_t* data, size_t size) override;
    void EndFile(bool complete) override;

private:
    struct OpenFile;
    std::wstring folder_;
    std::unique_ptr<OpenFile> current_;
};

// The entry's stored name as a safe relative path ("a\b.png"), or false when it must be skipped.
// Folder entries keep their trailing separator removed and set isFolder.
bool SafeEntryPath(const std::wstring& storedName, std::wstring& relativePath, bool& isFolder);

// Extracts a ZIP archive held in memory. Returns the report; nothing is written for an archive
// whose directory cannot be read.
ExtractReport ExtractArchive(const std::vector<uint8_t>& archive, ExtractSink& sink, const ExtractLimits& limits = {});
