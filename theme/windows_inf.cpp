#include "theme/windows_inf.h"

#include <map>

#include "base/text_encoding.h"

namespace {

constexpr wchar_t kSchemesKey[] = L"control panel\\cursors\\schemes";
constexpr wchar_t kStringsSection[] = L"strings";

struct InfLine {
    std::wstring section;  // lower case
    std::wstring text;
};

using InfStrings = std::map<std::wstring, std::wstring>;  // keys in lower case

wchar_t LowerAscii(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? wchar_t(c - L'A' + L'a') : c;
}

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = LowerAscii(c);
    return text;
}

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

std::wstring Trim(const std::wstring& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

// The line up to a ";" outside double quotes, and whether it ends in a continuation "\".
std::wstring StripComment(const std::wstring& line, bool& continues) {
    bool quoted = false;
    size_t end = line.size();
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == L'"') quoted = !quoted;
        if (line[i] == L';' && !quoted) {
            end = i;
            break;
        }
    }
    std::wstring text = Trim(line.substr(0, end));
    continues = !quoted && !text.empty() && text.back() == L'\\';
    if (continues) text.pop_back();
    return text;
}

std::vector<InfLine> SplitLines(const std::wstring& text) {
    std::vector<InfLine> lines;
    std::wstring section;
    std::wstring pending;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of(L"\r\n", pos);
        if (end == std::wstring::npos) end = text.size();
        bool continues = false;
        pending += StripComment(text.substr(pos, end - pos), continues);
        pos = end + (text.compare(end, 2, L"\r\n") == 0 ? 2 : 1);
        if (continues && pos < text.size()) continue;
        const std::wstring line = Trim(pending);
        pending.clear();
        if (line.empty()) continue;
        if (line[0] == L'[') {
            const size_t close = line.find(L']');
            section = Lower(Trim(line.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1)));
        } else {
            lines.push_back({section, line});
        }
    }
    return lines;
}

// Resolves "%key%" references ("%%" is a percent sign); unknown keys stay as written.
std::wstring Resolve(const std::wstring& text, const InfStrings& strings) {
    std::wstring out;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t open = text.find(L'%', pos);
        const size_t close = open == std::wstring::npos ? open : text.find(L'%', open + 1);
        if (close == std::wstring::npos) {
            out += text.substr(pos);
            break;
        }
        out += text.substr(pos, open - pos);
        const std::wstring key = text.substr(open + 1, close - open - 1);
        auto found = strings.find(Lower(key));
        if (key.empty())
            out += L'%';
        else if (found != strings.end())
            out += found->second;
        else
            out += text.substr(open, close - open + 1);
        pos = close + 1;
    }
    return out;
}

// One field without its quotes: "" inside quotes is a quote character.
std::wstring Unquote(const std::wstring& field) {
    std::wstring out;
    bool quoted = false;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != L'"') {
            out += field[i];
        } else if (quoted && i + 1 < field.size() && field[i + 1] == L'"') {
            out += L'"';
            ++i;
        } else {
            quoted = !quoted;
        }
    }
    return out;
}

std::vector<std::wstring> SplitFields(const std::wstring& line, const InfStrings& strings) {
    std::vector<std::wstring> fields;
    bool quoted = false;
    size_t start = 0;
    for (size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size() && line[i] == L'"') quoted = !quoted;
        if (i == line.size() || (line[i] == L',' && !quoted)) {
            fields.push_back(Resolve(Unquote(Trim(line.substr(start, i - start))), strings));
            start = i + 1;
        }
    }
    return fields;
}

// [Strings] first; a localised [Strings.xxxx] section only adds keys [Strings] lacks.
InfStrings CollectStrings(const std::vector<InfLine>& lines) {
    InfStrings strings;
    for (int pass = 0; pass < 2; ++pass) {
        for (const InfLine& line : lines) {
            const bool plain = line.section == kStringsSection;
            const bool localised = line.section.rfind(std::wstring(kStringsSection) + L".", 0) == 0;
            if (pass == 0 ? !plain : !localised) continue;
            const size_t equals = line.text.find(L'=');
            if (equals == std::wstring::npos) continue;
            const std::wstring key = Lower(Unquote(Trim(line.text.substr(0, equals))));
            std::wstring value = Unquote(Trim(line.text.substr(equals + 1)));
            for (size_t at = value.find(L"%%"); at != std::wstring::npos; at = value.find(L"%%", at + 1))
                value.erase(at, 1);
            strings.emplace(key, value);
        }
    }
    return strings;
}

bool IsSchemesKey(const std::vector<std::wstring>& fields) {
    if (fields.size() < 3) return false;
    const std::wstring root = Lower(fields[0]);
    if (root != L"hkcu" && root != L"hkey_current_user") return false;
    std::wstring key = Lower(fields[1]);
    while (!key.empty() && key.back() == L'\\') key.pop_back();
    return key == kSchemesKey;
}

}  // namespace

std::wstring DecodeInfText(const std::string& bytes) {
    if (bytes.size() >= 2 && uint8_t(bytes[0]) == 0xFF && uint8_t(bytes[1]) == 0xFE) {
        std::wstring text;
        text.reserve(bytes.size() / 2);
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            text += wchar_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8);
        return text;
    }
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return text::Utf8ToUtf16(bytes.substr(3));
    return text::Cp1252ToWide(bytes);
}

bool TryReadInfScheme(const std::wstring& text, InfScheme& scheme, std::string& reason) {
    const std::vector<InfLine> lines = SplitLines(text);
    const InfStrings strings = CollectStrings(lines);
    for (const InfLine& line : lines) {
        if (line.section == kStringsSection) continue;
        const std::vector<std::wstring> fields = SplitFields(line.text, strings);
        if (!IsSchemesKey(fields)) continue;
        scheme.name = Trim(fields[2]);
        if (scheme.name.empty()) {
            reason = "the scheme line of the .inf gives no scheme name";
            return false;
        }
        scheme.files.clear();
        // The list is one quoted field as a rule; unquoted, its commas split it into several.
        std::wstring list;
        for (size_t i = 4; i < fields.size(); ++i) list += (i > 4 ? L"," : L"") + fields[i];
        size_t start = 0;
        for (size_t i = 0; i <= list.size(); ++i) {
            if (i == list.size() || list[i] == L',') {
                scheme.files.push_back(Trim(list.substr(start, i - start)));
                start = i + 1;
            }
        }
        return true;
    }
    reason = "the .inf holds no cursor scheme (no line for Control Panel\\Cursors\\Schemes)";
    return false;
}
