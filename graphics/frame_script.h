#pragma once
// Frame scripts: an explicit play order for a frame strip, written as statements separated by
// line breaks or ";":
//   "3"         frame 3 at the current default interval (200 ms until a statement sets one)
//   "5-1,50"    frames 5, 4, 3, 2, 1 at 50 ms each; 50 becomes the default for later statements
//   "repeat 3"  opens a repeat group (exactly one space after the keyword)
//   "end repeat" closes it
// Keywords are recognised only at the very start of a statement, ignoring case. Frame numbers
// count from 1. Anything between the parts of a statement that is not a digit or a separator is
// ignored, so "frames 1 to -4, 100 ms" reads as "1-4,100" (the last frame must follow its "-").
#include <cstdint>
#include <string>
#include <vector>

// One parsed statement; five 32-bit fields (20 bytes), the layout the states keep.
struct FrameScriptRecord {
    int32_t kind;      // kFrameRun, kRepeatBegin or kRepeatEnd
    int32_t first;     // first frame, 1-based (frame run)
    int32_t last;      // last frame, 1-based; 0 when the statement names one frame
    int32_t interval;  // milliseconds per frame (frame run)
    int32_t count;     // repeat count (repeat begin)

    static constexpr int32_t kFrameRun = 0;
    static constexpr int32_t kRepeatBegin = 1;
    static constexpr int32_t kRepeatEnd = 2;
};

constexpr int32_t kFrameScriptDefaultInterval = 200;
// Numbers longer than this many digits are cut to their first digits; values saturate at INT32_MAX.
constexpr int kFrameScriptMaxDigits = 19;

// Parses the text up to its first NUL. The result has one record per statement counted by
// separators (a CR LF pair counts once), so an empty text gives no records and a text ending in a
// separator gives a last record for frame 0. Records of statements that parsing never reached
// (";" directly followed by a line feed is stepped over as one separator) stay zero.
std::vector<FrameScriptRecord> ParseFrameScript(const std::wstring& text);
std::vector<FrameScriptRecord> ParseFrameScript(const wchar_t* text);
