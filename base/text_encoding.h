#pragma once
// Conversions between UTF-16 text and the Western single-byte code page 1252, done without the
// platform so that they behave the same in the portable core and its tests.
#include <string>

namespace text {

// Every byte maps to one UTF-16 unit; the five bytes that 1252 leaves undefined map to themselves.
std::wstring Cp1252ToWide(const std::string& bytes);

// Characters without a 1252 byte become "?".
std::string WideToCp1252(const std::wstring& wide);

// UTF-16 code units (one per wchar_t, whatever its width) to UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const std::wstring& wide);

// UTF-8 to UTF-16 code units; malformed sequences become U+FFFD.
std::wstring Utf8ToUtf16(const std::string& utf8);

}  // namespace text
