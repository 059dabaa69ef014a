#include "base/text_encoding.h"

#include <cstdint>

namespace text {

// Code page 1252 bytes 0x80..0x9F; the others equal their Unicode code point.
static const char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::wstring Cp1252ToWide(const std::string& bytes) {
    std::wstring wide;
    wide.reserve(bytes.size());
    for (unsigned char b : bytes) wide += (b >= 0x80 && b < 0xA0) ? wchar_t(kCp1252High[b - 0x80]) : wchar_t(b);
    return wide;
}

std::string WideToCp1252(const std::wstring& wide) {
    std::string bytes;
    bytes.reserve(wide.size());
    for (wchar_t c : wide) {
        const uint32_t code = uint32_t(c);
        if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
            bytes += char(code);
            continue;
        }
        char mapped = '?';
        for (int i = 0; i < 32; ++i)
            if (kCp1252High[i] == code) mapped = char(0x80 + i);
        bytes += mapped;
    }
    return bytes;
}

static void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

std::string Utf16ToUtf8(const std::wstring& wide) {
    std::string out;
    out.reserve(wide.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        uint32_t unit = uint32_t(wide[i]) & 0xFFFF;
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < wide.size()) {
            const uint32_t low = uint32_t(wide[i + 1]) & 0xFFFF;
            if (low >= 0xDC00 && low < 0xE000) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        if (unit >= 0xD800 && unit < 0xE000) unit = 0xFFFD;
        AppendUtf8(out, unit);
    }
    return out;
}

std::wstring Utf8ToUtf16(const std::string& utf8) {
    std::wstring out;
    size_t i = 0;
    const size_t n = utf8.size();
    auto byte = [&](size_t k) { return uint8_t(utf8[k]); };
    while (i < n) {
        const uint8_t b = byte(i);
        uint32_t cp = 0xFFFD;
        size_t len = 1;
        if (b < 0x80) {
            cp = b;
        } else if ((b & 0xE0) == 0xC0 && i + 1 < n && (byte(i + 1) & 0xC0) == 0x80) {
            cp = ((b & 0x1F) << 6) | (byte(i + 1) & 0x3F);
            len = 2;
            if (cp < 0x80) cp = 0xFFFD;
        } else if ((b & 0xF0) == 0xE0 && i + 2 < n && (byte(i + 1) & 0xC0) == 0x80 && (byte(i + 2) & 0xC0) == 0x80) {
            cp = ((b & 0x0F) << 12) | ((byte(i + 1) & 0x3F) << 6) | (byte(i + 2) & 0x3F);
            len = 3;
            if (cp < 0x800 || (cp >= 0xD800 && cp < 0xE000)) cp = 0xFFFD;
        } else if ((b & 0xF8) == 0xF0 && i + 3 < n && (byte(i + 1) & 0xC0) == 0x80 && (byte(i + 2) & 0xC0) == 0x80 &&
                   (byte(i + 3) & 0xC0) == 0x80) {
            cp = ((b & 0x07) << 18) | ((byte(i + 1) & 0x3F) << 12) | ((byte(i + 2) & 0x3F) << 6) | (byte(i + 3) & 0x3F);
            len = 4;
            if (cp < 0x10000 || cp > 0x10FFFF) cp = 0xFFFD;
        }
        i += len;
        if (cp >= 0x10000) {
            out += wchar_t(0xD800 + ((cp - 0x10000) >> 10));
            out += wchar_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += wchar_t(cp);
        }
    }
    return out;
}

}  // namespace text
