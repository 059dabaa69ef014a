#include "tools/theme_tool/manifest.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "base/text_encoding.h"
#include "tools/theme_tool/json_writer.h"

const char* const kManifestTextKeywords[6] = {"name", "author", "version", "website", "email", "description"};

namespace {

struct Token {
    std::wstring field;
    std::wstring value;
    bool hasValue = false;  // the token was field=value
};

bool IsSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r';
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// Splits a line into tokens: words separated by blanks, where a double-quoted part (with escapes
// \" \\ \n \r \t \uXXXX) may contain anything, and the first "=" outside quotes splits a token
// into field and value. "#" at the start of a token begins a comment.
bool Tokenize(const std::wstring& line, std::vector<Token>& tokens, std::string& error) {
    size_t i = 0;
    const size_t n = line.size();
    while (i < n) {
        while (i < n && IsSpace(line[i])) ++i;
        if (i >= n || line[i] == L'#') break;
        Token token;
        std::wstring* into = &token.field;
        while (i < n && !IsSpace(line[i])) {
            wchar_t c = line[i];
            if (c == L'"') {
                ++i;
                bool closed = false;
                while (i < n) {
                    wchar_t q = line[i++];
                    if (q == L'"') {
                        closed = true;
                        break;
                    }
                    if (q != L'\\') {
                        into->push_back(q);
                        continue;
                    }
                    if (i >= n) break;
                    wchar_t e = line[i++];
                    switch (e) {
                        case L'n':
                            into->push_back(L'\n');
                            break;
                        case L'r':
                            into->push_back(L'\r');
                            break;
                        case L't':
                            into->push_back(L'\t');
                            break;
                        case L'"':
                            into->push_back(L'"');
                            break;
                        case L'\\':
                            into->push_back(L'\\');
                            break;
                        case L'u': {
                            int unit = 0;
                            for (int k = 0; k < 4; ++k) {
                                int digit = i < n ? HexDigit(line[i]) : -1;
                                if (digit < 0) {
                                    error = "\\u needs four hex digits";
                                    return false;
                                }
                                unit = unit * 16 + digit;
                                ++i;
                            }
                            into->push_back(static_cast<wchar_t>(unit));
                            break;
                        }
                        default:
                            error = "unknown escape in a quoted value";
                            return false;
                    }
                }
                if (!closed) {
                    error = "a quoted value is not closed";
                    return false;
                }
            } else if (c == L'=' && !token.hasValue) {
                token.hasValue = true;
                into = &token.value;
                ++i;
            } else {
                into->push_back(c);
                ++i;
            }
        }
        tokens.push_back(std::move(token));
    }
    return true;
}

bool ParseInt(const std::wstring& text, long long low, long long high, long long& out) {
    std::string narrow = text::Utf16ToUtf8(text);
    if (narrow.empty()) return false;
    errno = 0;
    char* end = nullptr;
    long long value = std::strtoll(narrow.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < low || value > high) return false;
    out = value;
    return true;
}

class LineParser {
public:
    LineParser(Manifest& manifest, int line) : manifest_(manifest), line_(line) {}

    bool Parse(const std::vector<Token>& tokens, std::string& error);

private:
    bool Int(const Token& t, long long low, long long high, int& out);
    bool Flag(const Token& t, int& out) { return Int(t, 0, 1, out); }
    bool Animation(const Token& t, ManifestAnimation& a, bool& handled);
    bool Fail(std::string reason) {
        error_ = std::move(reason);
        return false;
    }

    Manifest& manifest_;
    int line_;
    std::string error_;
};

bool LineParser::Int(const Token& t, long long low, long long high, int& out) {
    long long value;
    if (!ParseInt(t.value, low, high, value)) {
        return Fail(text::Utf16ToUtf8(t.field) + " must be a whole number from " + std::to_string(low) + " to " +
                    std::to_string(high));
    }
    out = static_cast<int>(value);
    return true;
}

bool LineParser::Animation(const Token& t, ManifestAnimation& a, bool& handled) {
    handled = true;
    const std::wstring& f = t.field;
    if (f == L"image") {
        a.image = text::Utf16ToUtf8(t.value);
        return !a.image.empty() || Fail("image must name a file");
    }
    if (f == L"frames") return Int(t, 0, INT_MAX, a.frames);
    if (f == L"interval") return Int(t, 0, INT_MAX, a.interval);
    if (f == L"style") return Flag(t, a.style);
    if (f == L"reverse") return Flag(t, a.reverse);
    if (f == L"loop") return Flag(t, a.loop);
    if (f == L"script") {
        a.script = t.value;
        return true;
    }
    if (f == L"hotspot") {
        size_t comma = t.value.find(L',');
        long long x, y;
        if (comma == std::wstring::npos || !ParseInt(t.value.substr(0, comma), INT_MIN, INT_MAX, x) ||
            !ParseInt(t.value.substr(comma + 1), INT_MIN, INT_MAX, y)) {
            return Fail("hotspot must be X,Y");
        }
        a.hotSpotX = static_cast<int>(x);
        a.hotSpotY = static_cast<int>(y);
        return true;
    }
    handled = false;
    return true;
}

bool LineParser::Parse(const std::vector<Token>& tokens, std::string& error) {
    const std::wstring& keyword = tokens[0].field;
    bool ok = true;
    for (int slot = 0; slot < 6; ++slot) {
        std::string name = kManifestTextKeywords[slot];
        if (keyword != std::wstring(name.begin(), name.end())) continue;
        if (tokens.size() != 2 || tokens[1].hasValue) {
            ok = Fail(name + " takes one value (quote it when it has blanks or \"=\")");
        } else if (manifest_.texts[slot]) {
            ok = Fail(name + " is given twice");
        } else {
            manifest_.texts[slot] = tokens[1].field;
        }
        if (!ok) error = "line " + std::to_string(line_) + ": " + error_;
        return ok;
    }
    if (keyword == L"option-lock" || keyword == L"premultiplied") {
        if (tokens.size() != 2 || tokens[1].hasValue) {
            ok = Fail(text::Utf16ToUtf8(keyword) + " takes one value");
        } else if (keyword == L"option-lock") {
            Token t{L"option-lock", tokens[1].field, true};
            ok = Flag(t, manifest_.optionLock);
        } else if (tokens[1].field == L"0") {
            manifest_.alpha = ManifestAlpha::kStraight;
        } else if (tokens[1].field == L"1") {
            manifest_.alpha = ManifestAlpha::kPremultiplied;
        } else if (tokens[1].field == L"convert") {
            manifest_.alpha = ManifestAlpha::kConvert;
        } else {
            ok = Fail("premultiplied must be 0, 1 or convert");
        }
        if (!ok) error = "line " + std::to_string(line_) + ": " + error_;
        return ok;
    }

    ManifestCursor cursor;
    ManifestEffect effect;
    ManifestTrail trail;
    ManifestSound sound;
    ManifestAnimation* animation = nullptr;
    if (keyword == L"cursor") {
        animation = &cursor;
    } else if (keyword == L"effect") {
        animation = &effect;
    } else if (keyword == L"trail") {
        animation = &trail;
    } else if (keyword != L"sound") {
        error = "line " + std::to_string(line_) + ": unknown keyword '" + text::Utf16ToUtf8(keyword) + "'";
        return false;
    }
    std::set<std::wstring> seen;
    bool hasKey = false;
    for (size_t i = 1; i < tokens.size() && ok; ++i) {
        const Token& t = tokens[i];
        if (!t.hasValue) {
            ok = Fail("expected field=value, found '" + text::Utf16ToUtf8(t.field) + "'");
            break;
        }
        if (!seen.insert(t.field).second) {
            ok = Fail(text::Utf16ToUtf8(t.field) + " is given twice");
            break;
        }
        bool handled = false;
        if (animation) {
            ok = Animation(t, *animation, handled);
            if (handled) continue;
        }
        int value = 0;
        if (animation == &cursor && (t.field == L"role" || t.field == L"event")) {
            long long v;
            if (!ParseInt(t.value, 0, UINT32_MAX, v)) {
                ok = Fail(text::Utf16ToUtf8(t.field) + " must be a whole number from 0 to 4294967295");
            } else {
                (t.field == L"role" ? cursor.role : cursor.event) = static_cast<uint32_t>(v);
            }
        } else if (animation == &cursor && t.field == L"standard") {
            ok = Flag(t, cursor.standard);
        } else if (animation == &cursor && t.field == L"scale") {
            std::string narrow = text::Utf16ToUtf8(t.value);
            char* end = nullptr;
            double scale = std::strtod(narrow.c_str(), &end);
            if (narrow.empty() || *end != '\0' || !std::isfinite(scale) || scale <= 0) {
                ok = Fail("scale must be a number above 0");
            } else {
                cursor.scale = scale;
            }
        } else if (animation == &trail && t.field == L"rate") {
            ok = Int(t, INT_MIN, INT_MAX, trail.rate);
        } else if (t.field == L"key" && animation != &cursor) {
            int high = animation == &trail ? 2 : 8;
            ok = Int(t, 0, high, value);
            hasKey = true;
            (animation == &effect ? effect.key : animation == &trail ? trail.key : sound.key) = value;
        } else if (!animation && t.field == L"file") {
            sound.file = text::Utf16ToUtf8(t.value);
        } else {
            ok = Fail("unknown field '" + text::Utf16ToUtf8(t.field) + "' for " + text::Utf16ToUtf8(keyword));
        }
    }
    if (ok && animation == &cursor && !seen.count(L"role")) ok = Fail("cursor needs role=");
    if (ok && animation && animation->image.empty()) ok = Fail(text::Utf16ToUtf8(keyword) + " needs image=");
    if (ok && keyword != L"cursor" && !hasKey) ok = Fail(text::Utf16ToUtf8(keyword) + " needs key=");
    if (ok && !animation && sound.file.empty()) ok = Fail("sound needs file=");
    if (ok && animation == &effect) {
        for (const ManifestEffect& other : manifest_.effects) {
            if (other.key == effect.key) ok = Fail("effect key " + std::to_string(effect.key) + " is given twice");
        }
    }
    if (ok && animation == &trail) {
        for (const ManifestTrail& other : manifest_.trails) {
            if (other.key == trail.key) ok = Fail("trail key " + std::to_string(trail.key) + " is given twice");
        }
    }
    if (ok && !animation) {
        for (const ManifestSound& other : manifest_.sounds) {
            if (other.key == sound.key) ok = Fail("sound key " + std::to_string(sound.key) + " is given twice");
        }
    }
    if (!ok) {
        error = "line " + std::to_string(line_) + ": " + error_;
        return false;
    }
    if (animation) animation->line = line_;
    sound.line = line_;
    if (animation == &cursor) manifest_.cursors.push_back(cursor);
    if (animation == &effect) manifest_.effects.push_back(effect);
    if (animation == &trail) manifest_.trails.push_back(trail);
    if (!animation) manifest_.sounds.push_back(sound);
    return true;
}

bool IsBareWord(const std::wstring& value) {
    if (value.empty()) return false;
    for (wchar_t c : value) {
        if (c <= L' ' || c == L'"' || c == L'#' || c == L'=' || c == L'\\' || c >= 0x7F) return false;
    }
    return true;
}

void AppendAnimation(std::string& line, const ManifestAnimation& a) {
    line += " image=" + QuoteManifestValue(text::Utf8ToUtf16(a.image));
    line += " frames=" + std::to_string(a.frames) + " interval=" + std::to_string(a.interval);
    line += " style=" + std::to_string(a.style) + " reverse=" + std::to_string(a.reverse);
    line += " loop=" + std::to_string(a.loop);
    line += " hotspot=" + std::to_string(a.hotSpotX) + "," + std::to_string(a.hotSpotY);
    if (!a.script.empty()) line += " script=" + QuoteManifestValue(a.script);
}

}  // namespace

std::string QuoteManifestValue(const std::wstring& value) {
    if (IsBareWord(value)) return text::Utf16ToUtf8(value);
    std::string out = "\"";
    for (size_t i = 0; i < value.size(); ++i) {
        uint32_t unit = static_cast<uint32_t>(value[i]) & 0xFFFF;
        bool pair = unit >= 0xD800 && unit < 0xDC00 && i + 1 < value.size() &&
                    (static_cast<uint32_t>(value[i + 1]) & 0xFFFF) >= 0xDC00 &&
                    (static_cast<uint32_t>(value[i + 1]) & 0xFFFF) < 0xE000;
        if (unit == '"' || unit == '\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(unit));
        } else if (unit == '\n') {
            out += "\\n";
        } else if (unit == '\r') {
            out += "\\r";
        } else if (unit == '\t') {
            out += "\\t";
        } else if (unit < 0x20 || unit == 0x7F || (unit >= 0xD800 && unit < 0xE000 && !pair)) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", unit);
            out += buffer;
        } else if (pair) {
            out += text::Utf16ToUtf8(value.substr(i, 2));
            ++i;
        } else {
            out += text::Utf16ToUtf8(std::wstring(1, static_cast<wchar_t>(unit)));
        }
    }
    return out + "\"";
}

bool ParseManifest(const std::string& text, Manifest& manifest, std::string* error) {
    manifest = Manifest{};
    size_t start = 0;
    int lineNumber = 0;
    std::string reason;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        ++lineNumber;
        std::wstring line = text::Utf8ToUtf16(text.substr(start, end - start));
        if (lineNumber == 1 && !line.empty() && line[0] == 0xFEFF) line.erase(0, 1);  // a byte-order mark
        std::vector<Token> tokens;
        if (!Tokenize(line, tokens, reason)) {
            if (error) *error = "line " + std::to_string(lineNumber) + ": " + reason;
            return false;
        }
        if (!tokens.empty()) {
            LineParser parser(manifest, lineNumber);
            if (!parser.Parse(tokens, reason)) {
                if (error) *error = reason;
                return false;
            }
        }
        start = end + 1;
    }
    return true;
}

std::string FormatManifest(const Manifest& manifest) {
    std::string out = "# Morvanta theme manifest: build the theme with \"morvanta-theme pack\".\n";
    for (int slot = 0; slot < 6; ++slot) {
        if (manifest.texts[slot]) {
            out += std::string(kManifestTextKeywords[slot]) + " " + QuoteManifestValue(*manifest.texts[slot]) + "\n";
        }
    }
    out += "option-lock " + std::to_string(manifest.optionLock) + "\n";
    out += std::string("premultiplied ") +
           (manifest.alpha == ManifestAlpha::kPremultiplied ? "1"
            : manifest.alpha == ManifestAlpha::kConvert     ? "convert"
                                                            : "0") +
           "\n";
    for (const ManifestCursor& c : manifest.cursors) {
        std::string line = "cursor role=" + std::to_string(c.role) + " event=" + std::to_string(c.event) +
                           " scale=" + ShortestDouble(c.scale) + " standard=" + std::to_string(c.standard);
        AppendAnimation(line, c);
        out += line + "\n";
    }
    for (const ManifestEffect& e : manifest.effects) {
        std::string line = "effect key=" + std::to_string(e.key);
        AppendAnimation(line, e);
        out += line + "\n";
    }
    for (const ManifestTrail& t : manifest.trails) {
        std::string line = "trail key=" + std::to_string(t.key) + " rate=" + std::to_string(t.rate);
        AppendAnimation(line, t);
        out += line + "\n";
    }
    for (const ManifestSound& s : manifest.sounds) {
        out += "sound key=" + std::to_string(s.key) + " file=" + QuoteManifestValue(text::Utf8ToUtf16(s.file)) + "\n";
    }
    return out;
}
