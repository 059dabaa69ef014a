#pragma once
// Loading and saving themes by file name: the extension chooses between the product's own theme
// file and the earlier product's archive; theme files are opened with retries because the engine
// or an installer may hold them for a moment; content this version cannot read is reported to the
// user once per theme. CTheme::Load and CTheme::Save are the entry points; this header holds the
// rules and the platform layer they use.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CTheme;

// The two theme extensions. A name must be longer than its extension to count.
constexpr wchar_t kThemeFileExtension[] = L".morvanta";
constexpr wchar_t kLegacyThemeExtension[] = L".tolvxtheme";

// True when text ends in suffix, ignoring the case of ASCII letters.
bool EndsWithIgnoringCase(const std::wstring& text, const std::wstring& suffix);
// A path of 10 characters or more ending in ".morvanta": loaded and saved as a theme file.
bool IsThemeFilePath(const std::wstring& path);
// A path of 12 characters or more ending in ".tolvxtheme": imported as an earlier-format archive.
bool IsLegacyThemePath(const std::wstring& path);

// folder + the platform's separator + name ("\" on Windows, "/" elsewhere).
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

// Every open of a theme file is tried this often, with this pause between attempts, so that a
// file another process holds for up to about two seconds is still read.
constexpr int kOpenAttempts = 3;
constexpr unsigned kOpenRetryPauseMs = 1000;
// Theme files and archives larger than this are refused without reading them.
constexpr uint64_t kMaxThemeFileBytes = 0x7FFFFFFF;

enum class FileReadStatus {
    kRead,       // bytes holds the whole file
    kNotOpened,  // every attempt to open it failed (missing, held by another process, a folder)
    kRefused,    // the header check said no, or the file is too large; nothing more was read
    kFailed,     // opened, but reading failed
};

struct FileReadOptions {
    uint64_t maxBytes = kMaxThemeFileBytes;
    // When set, the first headerBytes bytes (fewer for a shorter file) are read first and the
    // rest only when headerAccepted agrees.
    size_t headerBytes = 0;
    bool (*headerAccepted)(const uint8_t* header, size_t size) = nullptr;
    unsigned retryPauseMs = kOpenRetryPauseMs;
};

// Opens path for reading with kOpenAttempts attempts options.retryPauseMs apart (on Windows
// exclusively: no other process may have it open meanwhile) and reads it whole. attemptsUsed, when
// given, receives the number of opens tried.
FileReadStatus ReadFileWithRetry(const std::wstring& path, std::vector<uint8_t>& bytes,
                                 const FileReadOptions& options = {}, int* attemptsUsed = nullptr);

// The first sentence is the product's fixed text; the second points to where updates are.
constexpr wchar_t kUnsupportedFeaturesText[] =
    L"This theme features are not supported by the installed Morvanta version. Please visit the Morvanta web "
    L"site, www.morvanta.com, to download the latest release version.";
constexpr wchar_t kMessageCaption[] = L"Morvanta";

// Tells the user that a theme holds content this version cannot read, at most once per theme
// (the theme's unsupported-message flag). Safe to call from any thread: loads run on workers.
void ShowUnsupportedFeaturesMessage(CTheme& theme);

// Loads on loader threads must not show the message there: a box would hold the whole batch, and
// the window thread waiting for it, until the user answers. While a deferral lives on a thread,
// the messages its loads would show are counted instead; the batch shows them once its loads are
// done, on the thread that waits for it.
class UnsupportedFeaturesDeferral {
public:
    explicit UnsupportedFeaturesDeferral(std::atomic<int>& count);
    ~UnsupportedFeaturesDeferral();
    UnsupportedFeaturesDeferral(const UnsupportedFeaturesDeferral&) = delete;
    UnsupportedFeaturesDeferral& operator=(const UnsupportedFeaturesDeferral&) = delete;

private:
    std::atomic<int>* previous_;
};
// Shows the message count times, on the calling thread.
void ShowDeferredUnsupportedFeatures(int count);

// How the message reaches the user: a warning box without owner on Windows, nothing elsewhere.
// Tests put their own hook in place; the previous hook is returned.
using UnsupportedFeaturesHook = void (*)();
UnsupportedFeaturesHook SetUnsupportedFeaturesHook(UnsupportedFeaturesHook hook);
// The platform's own hook.
void ShowUnsupportedFeaturesBox();
