#include "theme/archive_extract.h"

#include <minizip/unzip.h>

#include <cstring>
#include <fstream>
#include <memory>

#include "base/file_io.h"
#include "base/text_encoding.h"

namespace {

// minizip reads the archive through these callbacks from a buffer in memory.
struct MemoryStream {
    const uint8_t* data;
    uint64_t size;
    uint64_t position;
};

voidpf ZCALLBACK MemoryOpen(voidpf opaque, const void*, int) {
    return opaque;
}

uLong ZCALLBACK MemoryRead(voidpf, voidpf stream, void* buffer, uLong size) {
    auto* memory = static_cast<MemoryStream*>(stream);
    const uint64_t available = memory->size - memory->position;
    const uLong count = uLong(size < available ? size : available);
    if (count) memcpy(buffer, memory->data + memory->position, count);
    memory->position += count;
    return count;
}

uLong ZCALLBACK MemoryWrite(voidpf, voidpf, const void*, uLong) {
    return 0;
}

ZPOS64_T ZCALLBACK MemoryTell(voidpf, voidpf stream) {
    return static_cast<MemoryStream*>(stream)->position;
}

long ZCALLBACK MemorySeek(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto* memory = static_cast<MemoryStream*>(stream);
    uint64_t base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR) base = memory->position;
    if (origin == ZLIB_FILEFUNC_SEEK_END) base = memory->size;
    if (offset > memory->size || base > memory->size - offset) return -1;
    memory->position = base + offset;
    return 0;
}

int ZCALLBACK MemoryClose(voidpf, voidpf) {
    return 0;
}
int ZCALLBACK MemoryError(voidpf, voidpf) {
    return 0;
}

// Characters that cannot stand in a Windows file name element (':' would also name a stream).
bool IsForbiddenInName(wchar_t c) {
    return c < 0x20 || c == L'<' || c == L'>' || c == L':' || c == L'"' || c == L'|' || c == L'?' || c == L'*';
}

constexpr uLong kUtf8NameFlag = 0x800;  // general purpose flag bit 11: the name is UTF-8
constexpr uLong kEncryptedFlag = 0x1;
constexpr size_t kChunkSize = 64 * 1024;

}  // namespace

bool SafeEntryPath(const std::wstring& storedName, std::wstring& relativePath, bool& isFolder) {
    relativePath.clear();
    isFolder = !storedName.empty() && (storedName.back() == L'/' || storedName.back() == L'\\');
    if (storedName.empty() || storedName[0] == L'/' || storedName[0] == L'\\') return false;  // absolute
    std::wstring element;
    auto acceptElement = [&]() {
        if (element.empty() || element == L".") return true;  // "a//b" and "a/./b" mean "a/b"
        if (element == L"..") return false;
        // Windows drops trailing dots and spaces, so "..." or ". " could still climb or collide.
        if (element.back() == L'.' || element.back() == L' ') return false;
        if (!relativePath.empty()) relativePath += L'\\';
        relativePath += element;
        element.clear();
        return true;
    };
    for (wchar_t c : storedName) {
        if (c == L'/' || c == L'\\') {
            if (!acceptElement()) return false;
            element.clear();
        } else if (IsForbiddenInName(c)) {
            return false;  // also refuses drive letters ("C:") and streams
        } else {
            element += c;
        }
    }
    if (!acceptElement()) return false;
    return !relativePath.empty();
}

ExtractReport ExtractArchive(const std::vector<uint8_t>& archive, ExtractSink& sink, const ExtractLimits& limits) {
    ExtractReport report;
    MemoryStream stream{archive.data(), archive.size(), 0};
    zlib_filefunc64_def io = {MemoryOpen, MemoryRead,  MemoryWrite, MemoryTell,
                              MemorySeek, MemoryClose, MemoryError, &stream};
    unzFile zip = unzOpen2_64("archive", &io);
    if (!zip) return report;
    report.opened = true;

    uint64_t totalBytes = 0;
    uint32_t entries = 0;
    std::vector<uint8_t> chunk(kChunkSize);
    for (int status = unzGoToFirstFile(zip); status == UNZ_OK; status = unzGoToNextFile(zip)) {
        if (++entries > limits.maxEntries) {
            report.stoppedAtLimit = true;
            break;
        }
        unz_file_info64 info;
        char rawName[1024];
        if (unzGetCurrentFileInfo64(zip, &info, rawName, sizeof rawName, nullptr, 0, nullptr, 0) != UNZ_OK) {
            ++report.entriesSkipped;
            continue;
        }
        const std::string name(rawName, strnlen(rawName, sizeof rawName));
        const std::wstring storedName =
            (info.flag & kUtf8NameFlag) ? text::Utf8ToUtf16(name) : text::Cp1252ToWide(name);
        std::wstring relativePath;
        bool isFolder = false;
        if (!SafeEntryPath(storedName, relativePath, isFolder) || (info.flag & kEncryptedFlag)) {
            ++report.entriesSkipped;
            continue;
        }
        if (isFolder) {
            sink.CreateFolder(relativePath);
            continue;
        }
        if (unzOpenCurrentFile(zip) != UNZ_OK) {
            ++report.entriesSkipped;
            continue;
        }
        if (!sink.BeginFile(relativePath)) {
            unzCloseCurrentFile(zip);
            ++report.entriesSkipped;
            continue;
        }
        bool complete = true;
        for (;;) {
            const int read = unzReadCurrentFile(zip, chunk.data(), unsigned(chunk.size()));
            if (read == 0) break;
            if (read < 0) {
                complete = false;
                break;
            }
            totalBytes += uint64_t(read);
            if (totalBytes > limits.maxTotalBytes) {
                complete = false;
                report.stoppedAtLimit = true;
                break;
            }
            if (!sink.WriteChunk(chunk.data(), size_t(read))) {
                complete = false;
                break;
            }
        }
        // A CRC mismatch shows only when the entry is closed.
        if (unzCloseCurrentFile(zip) != UNZ_OK) complete = false;
        sink.EndFile(complete);
        if (complete)
            ++report.filesWritten;
        else
            ++report.entriesSkipped;
        if (report.stoppedAtLimit) break;
    }
    unzClose(zip);
    return report;
}

struct FolderSink::OpenFile {
    std::filesystem::path path;
    std::ofstream stream;
};

// The folder joined with a "\"-separated relative path, as a path of this platform.
static std::filesystem::path UnderFolder(const std::wstring& folder, const std::wstring& relativePath) {
    std::filesystem::path path = fileio::ToFsPath(folder);
    std::wstring element;
    for (wchar_t c : relativePath + L"\\") {
        if (c == L'\\') {
            if (!element.empty()) path /= fileio::ToFsPath(element);
            element.clear();
        } else {
            element += c;
        }
    }
    return path;
}

FolderSink::FolderSink(std::wstring folder) : folder_(std::move(folder)) {}

FolderSink::~FolderSink() {
    EndFile(false);
}

bool FolderSink::CreateFolder(const std::wstring& relativePath) {
    std::error_code error;
    std::filesystem::create_directories(UnderFolder(folder_, relativePath), error);
    return !error;
}

bool FolderSink::BeginFile(const std::wstring& relativePath) {
    EndFile(false);
    const size_t lastSeparator = relativePath.rfind(L'\\');
    if (lastSeparator != std::wstring::npos && !CreateFolder(relativePath.substr(0, lastSeparator))) return false;
    auto file = std::make_unique<OpenFile>();
    file->path = UnderFolder(folder_, relativePath);
    file->stream.open(file->path, std::ios::binary | std::ios::trunc);
    if (!file->stream) return false;
    current_ = std::move(file);
    return true;
}

bool FolderSink::WriteChunk(const uint8_t* data, size_t size) {
    if (!current_) return false;
    current_->stream.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    return bool(current_->stream);
}

void FolderSink::EndFile(bool complete) {
    if (!current_) return;
    current_->stream.close();
    if (!complete || current_->stream.fail()) {
        std::error_code error;
        std::filesystem::remove(current_->path, error);
    }
    current_.reset();
}
