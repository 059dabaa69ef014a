// Extraction over arbitrary bytes must not crash, leak or hand out an unsafe name.
#include <cstdlib>
#include <vector>

#include "theme/archive_extract.h"

namespace {

class CheckingSink final : public ExtractSink {
public:
    bool CreateFolder(const std::wstring& path) override { return Check(path); }
    bool BeginFile(const std::wstring& path) override { return Check(path); }
    bool WriteChunk(const uint8_t*, size_t) override { return true; }
    void EndFile(bool) override {}

private:
    static bool Check(const std::wstring& path) {
        std::wstring again;
        bool folder = false;
        // A path the extractor hands out must itself be a safe relative path.
        if (!SafeEntryPath(path, again, folder) || again != path) abort();
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> archive(data, data + size);
    CheckingSink sink;
    ExtractLimits limits;
    limits.maxTotalBytes = 8 << 20;
    ExtractArchive(archive, sink, limits);
    return 0;
}
