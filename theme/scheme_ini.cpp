#include "theme/scheme_ini.h"

#include <climits>
#include <cstdint>

#include "base/file_io.h"
#include "base/text_encoding.h"

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f' || c == L'\v';
}

std::wstring Trim(const std::wstring& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

wchar_t Lower(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? wchar_t(c - L'A' + L'a') : c;
}

bool EqualIgnoringCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

struct Entry {
    std::wstring key;    // trimmed; the whole line for a line without "="
    std::wstring value;  // trimmed, surrounding quotes removed
    bool hasValue;
};

struct Section {
    std::wstring name;
    std::vector<Entry> entries;
};

class PortableSchemeIni final : public SchemeIni {
public:
    explicit PortableSchemeIni(const std::wstring& text) { Parse(text); }

    std::wstring ReadString(const std::wstring& section, const std::wstring& key, const std::wstring& fallback,
                            size_t maxChars) override {
        std::wstring result = fallback;
        if (const Section* found = Find(section)) {
            for (const Entry& entry : found->entries) {
                if (entry.hasValue && EqualIgnoringCase(entry.key, key)) {
                    result = entry.value;
                    break;  // the first of duplicate keys answers
                }
            }
        }
        if (result.size() > maxChars) result.resize(maxChars);
        return result;
    }

    std::wstring ReadSectionFirstLine(const std::wstring& section, size_t maxChars) override {
        const Section* found = Find(section);
        if (!found || found->entries.empty()) return L"";
        const Entry& first = found->entries.front();
        std::wstring line = first.hasValue ? first.key + L"=" + first.value : first.key;
        if (line.size() > maxChars) line.resize(maxChars);
        return line;
    }

private:
    const Section* Find(const std::wstring& name) const {
        for (const Section& section : sections_)
            if (EqualIgnoringCase(section.name, name)) return &section;  // the first of duplicates
        return nullptr;
    }

    void Parse(const std::wstring& text) {
        Section* current = nullptr;
        size_t start = 0;
        while (start <= text.size()) {
            size_t end = start;
            while (end < text.size() && text[end] != L'\r' && text[end] != L'\n') ++end;
            const std::wstring line = Trim(text.substr(start, end - start));
            start = end + 1;
            if (line.empty() || line[0] == L';') continue;
            if (line[0] == L'[') {
                const size_t close = line.find(L']');
                sections_.push_back(
                    {Trim(line.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1)), {}});
                current = &sections_.back();
                continue;
            }
            if (!current) continue;  // keys before the first section belong to none
            const size_t equals = line.find(L'=');
            if (equals == std::wstring::npos) {
                current->entries.push_back({line, L"", false});
                continue;
            }
            std::wstring value = Trim(line.substr(equals + 1));
            if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front())
                value = value.substr(1, value.size() - 2);
            current->entries.push_back({Trim(line.substr(0, equals)), value, true});
        }
    }

    std::vector<Section> sections_;
};

}  // namespace

int ParseLeadingInt(const std::wstring& text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > int64_t(INT_MAX) + 1) value = int64_t(INT_MAX) + 1;  // saturate, never overflow
    }
    if (negative) return value > INT_MAX ? INT_MIN : int(-value);
    return value > INT_MAX ? INT_MAX : int(value);
}

int SchemeIni::ReadInt(const std::wstring& section, const std::wstring& key, const std::wstring& fallback) {
    return ParseLeadingInt(ReadString(section, key, fallback, 259));
}

std::unique_ptr<SchemeIni> ParseSchemeIni(const std::vector<uint8_t>& bytes) {
    std::wstring text;
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) text += wchar_t(bytes[i] | (bytes[i + 1] << 8));
    } else {
        text = text::Cp1252ToWide(std::string(bytes.begin(), bytes.end()));
    }
    return std::make_unique<PortableSchemeIni>(text);
}

#ifndef _WIN32
std::unique_ptr<SchemeIni> OpenSchemeIni(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    fileio::ReadWholeFile(path, bytes, 16u << 20);  // a missing file reads as empty: every key takes its default
    return ParseSchemeIni(bytes);
}
#endif
