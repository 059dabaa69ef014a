#include "theme/theme_load.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "base/file_io.h"
#include "theme/legacy_import.h"
#include "theme/theme.h"
#include "theme/theme_file.h"
#include "theme/theme_format.h"
#include "theme/theme_reader.h"

namespace {

std::atomic<UnsupportedFeaturesHook> gUnsupportedHook{&ShowUnsupportedFeaturesBox};
// Where this thread's loads count the messages they do not show (null: they show them).
thread_local std::atomic<int>* gDeferredMessages = nullptr;

wchar_t LowerAscii(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? wchar_t(c - L'A' + L'a') : c;
}

constexpr size_t kVersionPeekBytes = 16;

// The version at offset 12 decides the reader; files of other versions are not read further.
bool KnownVersionHeader(const uint8_t* header, size_t size) {
    const uint32_t version = PeekThemeVersion(header, size);
    return version >= themeformat::kVersion2000 && version <= themeformat::kVersion2003;
}

}  // namespace

FileReadStatus ReadFileWithRetry(const std::wstring& path, std::vector<uint8_t>& bytes, const FileReadOptions& options,
                                 int* attemptsUsed) {
    fileio::ReadOptions read;
    read.maxBytes = options.maxBytes;
    read.headerBytes = options.headerBytes;
    read.headerAccepted = options.headerAccepted;
    read.exclusive = true;  // nobody may write the file while it is read
    fileio::ReadStatus status = fileio::ReadStatus::kNotOpened;
    int attempts = 0;
    while (attempts < kOpenAttempts) {
        if (attempts > 0) std::this_thread::sleep_for(std::chrono::milliseconds(options.retryPauseMs));
        ++attempts;
        status = fileio::ReadWhole(path, bytes, read);
        if (status != fileio::ReadStatus::kNotOpened) break;
    }
    if (attemptsUsed) *attemptsUsed = attempts;
    switch (status) {
        case fileio::ReadStatus::kRead:
            return FileReadStatus::kRead;
        case fileio::ReadStatus::kNotOpened:
            return FileReadStatus::kNotOpened;
        case fileio::ReadStatus::kTooLarge:
        case fileio::ReadStatus::kRefused:
            return FileReadStatus::kRefused;
        case fileio::ReadStatus::kFailed:
            break;
    }
    return FileReadStatus::kFailed;
}

bool EndsWithIgnoringCase(const std::wstring& text, const std::wstring& suffix) {
    if (text.size() < suffix.size()) return false;
    const size_t start = text.size() - suffix.size();
    for (size_t i = 0; i < suffix.size(); ++i)
        if (LowerAscii(text[start + i]) != LowerAscii(suffix[i])) return false;
    return true;
}

bool IsThemeFilePath(const std::wstring& path) {
    return path.size() > std::char_traits<wchar_t>::length(kThemeFileExtension) &&
           EndsWithIgnoringCase(path, kThemeFileExtension);
}

bool IsLegacyThemePath(const std::wstring& path) {
    return path.size() > std::char_traits<wchar_t>::length(kLegacyThemeExtension) &&
           EndsWithIgnoringCase(path, kLegacyThemeExtension);
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
#ifdef _WIN32
    constexpr wchar_t kSeparator = L'\\';
#else
    constexpr wchar_t kSeparator = L'/';
#endif
    if (folder.empty()) return name;
    if (folder.back() == kSeparator) return folder + name;
    return folder + kSeparator + name;
}

UnsupportedFeaturesHook SetUnsupportedFeaturesHook(UnsupportedFeaturesHook hook) {
    return gUnsupportedHook.exchange(hook);
}

void ShowUnsupportedFeaturesMessage(CTheme& theme) {
    if (theme.unsupportedMessageShown) return;
    theme.unsupportedMessageShown = 1;
    if (gDeferredMessages) {
        ++*gDeferredMessages;
        return;
    }
    if (UnsupportedFeaturesHook hook = gUnsupportedHook.load()) hook();
}

UnsupportedFeaturesDeferral::UnsupportedFeaturesDeferral(std::atomic<int>& count) : previous_(gDeferredMessages) {
    gDeferredMessages = &count;
}

UnsupportedFeaturesDeferral::~UnsupportedFeaturesDeferral() {
    gDeferredMessages = previous_;
}

void ShowDeferredUnsupportedFeatures(int count) {
    for (int i = 0; i < count; ++i)
        if (UnsupportedFeaturesHook hook = gUnsupportedHook.load()) hook();
}

bool CTheme::Load(const std::wstring& requestedPath, bool preview) {
    Reset();
    sourcePath = requestedPath;
    if (IsLegacyThemePath(requestedPath)) return ImportLegacyTheme(*this, requestedPath, preview);
    if (!IsThemeFilePath(requestedPath)) return false;

    std::vector<uint8_t> bytes;
    FileReadOptions options;
    options.headerBytes = kVersionPeekBytes;
    options.headerAccepted = KnownVersionHeader;
    if (ReadFileWithRetry(requestedPath, bytes, options) != FileReadStatus::kRead) return false;

    const ThemeReadResult result = ReadThemeBytes(*this, bytes, requestedPath, preview);
    if (result.unsupportedContent) ShowUnsupportedFeaturesMessage(*this);
    return result.ok;
}

bool CTheme::Save(const std::wstring& targetPath) const {
    if (!IsThemeFilePath(targetPath)) return false;
    // The whole file is written beside the target first, so a failed save keeps the old file.
    return themefile::SaveThemeFile(*this, targetPath, nullptr);
}
