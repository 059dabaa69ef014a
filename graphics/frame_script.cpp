#include "graphics/frame_script.h"

#include <cwchar>

namespace {

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

bool IsStatementEnd(wchar_t c) {
    return c == L'\r' || c == L'\n' || c == L';';
}

wchar_t Lower(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// True when the text at p starts with the lower-case keyword, ignoring case. Stops at the first
// mismatch, so it never looks past the terminating NUL.
bool StartsWithKeyword(const wchar_t* p, const char* keyword) {
    for (; *keyword; ++p, ++keyword) {
        if (Lower(*p) != static_cast<wchar_t>(*keyword)) return false;
    }
    return true;
}

// Reads the run of digits at p (empty gives 0) and moves past all of it. Only the first
// kFrameScriptMaxDigits digits count, and the value saturates instead of overflowing.
int32_t ReadNumber(const wchar_t*& p) {
    int64_t value = 0;
    int digits = 0;
    for (; IsDigit(*p); ++p) {
        if (digits++ >= kFrameScriptMaxDigits) continue;
        value = value * 10 + (*p - L'0');
        if (value > INT32_MAX) value = INT32_MAX;
    }
    return static_cast<int32_t>(value);
}

// Moves over everything that is neither a digit nor one of NUL, CR, LF, ",", "-" and ";".
void Skip(const wchar_t*& p) {
    while (*p && !IsDigit(*p) && !IsStatementEnd(*p) && *p != L',' && *p != L'-') ++p;
}

size_t CountStatements(const wchar_t* p) {
    size_t count = 1;
    for (; *p; ++p) {
        if (*p == L'\r' && p[1] == L'\n') {
            ++count;
            ++p;
        } else if (IsStatementEnd(*p)) {
            ++count;
        }
    }
    return count;
}

// Parses one statement starting at p into record, leaving p where the statement ended.
void ParseStatement(const wchar_t*& p, FrameScriptRecord& record, int32_t& defaultInterval) {
    record = FrameScriptRecord{};
    if (StartsWithKeyword(p, "end repeat")) {
        record.kind = FrameScriptRecord::kRepeatEnd;
        p += 10;
        Skip(p);
    } else if (!StartsWithKeyword(p, "repeat ")) {
        record.kind = FrameScriptRecord::kFrameRun;
        record.first = ReadNumber(p);
        Skip(p);
        if (*p == L'-') {
            ++p;
            record.last = ReadNumber(p);
            Skip(p);
        }
        if (*p == L',') {
            ++p;
            Skip(p);
            record.interval = ReadNumber(p);
            Skip(p);
            defaultInterval = record.interval;
        } else {
            record.interval = defaultInterval;
        }
    } else {
        record.kind = FrameScriptRecord::kRepeatBegin;
        p += 7;
        record.count = ReadNumber(p);
        Skip(p);
    }
}

}  // namespace

std::vector<FrameScriptRecord> ParseFrameScript(const wchar_t* text) {
    std::vector<FrameScriptRecord> records;
    if (!text || !*text) return records;
    records.assign(CountStatements(text), FrameScriptRecord{});
    int32_t defaultInterval = kFrameScriptDefaultInterval;
    const wchar_t* p = text;
    size_t started = 0;
    while (started < records.size()) {
        FrameScriptRecord& record = records[started++];
        for (;;) {
            ParseStatement(p, record, defaultInterval);
            // Stopped at a digit, "-" or ",": parse again from there into the same record. Every
            // parse that starts at one of those characters consumes it, so this ends.
            if (*p == L'\0' || IsStatementEnd(*p)) break;
        }
        if (*p == L'\0') break;
        // Step over the separator, and over a line feed right after it (whatever the separator).
        ++p;
        if (*p == L'\n') ++p;
    }
    return records;
}

std::vector<FrameScriptRecord> ParseFrameScript(const std::wstring& text) {
    return ParseFrameScript(text.c_str());
}
