#pragma once
// Reading the "scheme.ini" of an earlier-format theme: string and integer keys of a section and
// the first line of a section. On Windows the system's private-profile reader answers; the
// portable reader below follows its rules for the files such themes contain, so the import runs
// and is tested on every platform.
#include <memory>
#include <string>
#include <vector>

class SchemeIni {
public:
    virtual ~SchemeIni() = default;

    // The value of a key, or the default; at most maxChars characters.
    virtual std::wstring ReadString(const std::wstring& section, const std::wstring& key, const std::wstring& fallback,
                                    size_t maxChars) = 0;

    // The first line of a section as the profile reader lists it ("key=value", or the line itself
    // when it has no "="), at most maxChars characters; empty when the section is missing or empty.
    virtual std::wstring ReadSectionFirstLine(const std::wstring& section, size_t maxChars) = 0;

    // ReadString converted like the C library's wtoi: leading blanks, a sign, digits; else 0.
    int ReadInt(const std::wstring& section, const std::wstring& key, const std::wstring& fallback);
};

// Opens the file with the platform's reader (the system's on Windows, the portable one elsewhere).
std::unique_ptr<SchemeIni> OpenSchemeIni(const std::wstring& path);

// The portable reader over the text of a file (UTF-16 with byte-order mark, else code page 1252).
std::unique_ptr<SchemeIni> ParseSchemeIni(const std::vector<uint8_t>& fileBytes);

// wtoi: leading white space, an optional sign and decimal digits; 0 without digits. Saturates.
int ParseLeadingInt(const std::wstring& text);
