#include "services/translations.h"

#include <algorithm>
#include <climits>

void TranslationTable::Clear() {
    for (auto& slot : slots_) slot.reset();
}

void TranslationTable::Set(int number, std::wstring text) {
    if (number < 1 || number >= kTextSlotCount) return;
    slots_[size_t(number)] = std::move(text);
}

const std::wstring* TranslationTable::Find(int number) const {
    if (number < 0 || number >= kTextSlotCount || !slots_[size_t(number)]) return nullptr;
    return &*slots_[size_t(number)];
}

size_t TranslationTable::Count() const {
    size_t count = 0;
    for (const auto& slot : slots_) count += slot ? 1 : 0;
    return count;
}

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\v' || c == L'\f';
}

// The decimal number at the start of a line: leading blanks and one sign are skipped, digits are
// read up to the first other character. Values beyond the int range saturate, so that they stay
// out of range instead of wrapping into it.
long long LeadingNumber(const std::wstring& line, size_t end) {
    size_t i = 0;
    while (i < end && IsBlank(line[i])) ++i;
    bool negative = false;
    if (i < end && (line[i] == L'+' || line[i] == L'-')) negative = line[i++] == L'-';
    long long value = 0;
    for (; i < end && line[i] >= L'0' && line[i] <= L'9'; ++i) {
        value = value * 10 + (line[i] - L'0');
        if (value > INT_MAX) value = INT_MAX;
    }
    return negative ? -value : value;
}

void ParseLine(const std::wstring& line, TranslationTable& table) {
    const size_t equals = line.find(L'=');
    if (equals == std::wstring::npos || equals == 0) return;
    const long long number = LeadingNumber(line, equals);
    if (number < 1 || number >= kTextSlotCount) return;
    table.Set(int(number), line.substr(equals + 1));
}

}  // namespace

void ParseTranslations(const std::wstring& text, TranslationTable& table) {
    const size_t n = text.size();
    size_t pos = 0;
    while (pos < n) {
        size_t end = pos;
        while (end < n && text[end] != L'\r' && text[end] != L'\n') ++end;
        ParseLine(text.substr(pos, std::min(end - pos, kMaxLineChars)), table);
        pos = end;
        if (pos < n) ++pos;                        // the CR or LF
        if (pos < n && text[pos] == L'\n') ++pos;  // an LF right after it: CR LF, or an empty line
    }
}

std::wstring DecodeTextFileBytes(const std::string& bytes, AnsiDecoder ansiToWide) {
    if (bytes.size() <= 2) return std::wstring();
    if (uint8_t(bytes[0]) == 0xFF && uint8_t(bytes[1]) == 0xFE) {
        std::wstring text;
        text.reserve((bytes.size() - 2) / 2 + 2);
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            text += wchar_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8);
        return text + L"\r\n";
    }
    return ansiToWide(bytes + "\r\n");
}

bool ParseLanguageFolderName(const std::wstring& name, uint32_t& id) {
    if (name.empty() || name.size() > 9) return false;
    uint32_t value = 0;
    for (wchar_t c : name) {
        if (c < L'0' || c > L'9') return false;
        value = value * 10 + uint32_t(c - L'0');
    }
    if (value == 0) return false;
    id = value;
    return true;
}

void Translations::Clear() {
    primary.Clear();
    fallback.Clear();
    found = false;
}

bool Translations::AddLanguage(uint32_t id, std::wstring name) {
    if (languages.size() >= kMaxLanguages) return false;
    if (name.size() > kMaxLanguageNameChars) name.resize(kMaxLanguageNameChars);
    languages.push_back({id, std::move(name)});
    return true;
}

Translations gTranslations;

static const std::wstring* FindUiText(int number) {
    if (const std::wstring* text = gTranslations.primary.Find(number)) return text;
    return gTranslations.fallback.Find(number);
}

const wchar_t* UiText(int number) {
    const std::wstring* text = FindUiText(number);
    return text ? text->c_str() : nullptr;
}

std::wstring UiString(int number) {
    const std::wstring* text = FindUiText(number);
    return text ? *text : std::wstring();
}

bool TranslationFound() {
    return gTranslations.found;
}

uint32_t FindLanguageId(const std::wstring& displayName) {
    for (const LanguageEntry& language : gTranslations.languages)
        if (language.name == displayName) return language.id;
    return 0;
}
