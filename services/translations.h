#pragma once
// The window's numbered texts: the "ui.txt" file format, the tables of the chosen language and of
// the fallback language, the lookup by text id, and the list of installed languages. Portable:
// finding and reading the files is translations_win.h.
//
// ui.txt: UTF-16 little-endian when it starts with FF FE, otherwise 8-bit text in the system's
// ANSI code page. Lines end with CR LF, CR or LF and hold at most 2047 characters (the rest of a
// longer line is dropped). A line is a decimal number (leading white space and a sign allowed,
// read up to the first non-digit), "=" and the text: everything after the first "=", unchanged.
// Lines with nothing before the first "=", without "=", or with a number outside 1..149 are
// ignored; when a number occurs twice the later line wins.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

constexpr int kTextSlotCount = 150;  // text ids 1..149; slot 0 is never filled
constexpr size_t kMaxLineChars = 2047;
constexpr uint32_t kFallbackLanguage = 1033;  // US English, complete by definition
constexpr size_t kMaxLanguages = 64;
constexpr size_t kMaxLanguageNameChars = 255;

// One language's texts. A slot holds a text (possibly empty) or nothing.
class TranslationTable {
public:
    void Clear();
    // Stores text under number, replacing an earlier one; numbers outside 1..149 are ignored.
    void Set(int number, std::wstring text);
    // The text of number, or null when the slot is empty or the number is not a text id.
    const std::wstring* Find(int number) const;
    size_t Count() const;

private:
    std::array<std::optional<std::wstring>, kTextSlotCount> slots_;
};

// Adds every accepted line of text to table (later lines replace earlier ones).
void ParseTranslations(const std::wstring& text, TranslationTable& table);

// The text of a file's bytes as ReadTextFile gives it: UTF-16 LE after an FF FE mark, otherwise
// the bytes through ansiToWide; a CR LF is appended so the last line needs no line break. Files
// of 2 bytes or less hold no text (empty result). A last odd byte of UTF-16 data is dropped.
using AnsiDecoder = std::wstring (*)(const std::string&);
std::wstring DecodeTextFileBytes(const std::string& bytes, AnsiDecoder ansiToWide);

// A language folder's locale identifier: its name must be 1 to 9 decimal digits and not 0.
bool ParseLanguageFolderName(const std::wstring& name, uint32_t& id);

struct LanguageEntry {
    uint32_t id;        // locale identifier
    std::wstring name;  // display name, at most kMaxLanguageNameChars characters
};

// The texts in use and the installed languages, owned by the UI thread.
struct Translations {
    TranslationTable primary;   // the chosen language
    TranslationTable fallback;  // always kFallbackLanguage
    bool found = false;         // the chosen language's own file was there
    std::vector<LanguageEntry> languages;

    void Clear();
    // Appends a language; false when the list already holds kMaxLanguages.
    bool AddLanguage(uint32_t id, std::wstring name);
};

extern Translations gTranslations;

// The text of a text id from the chosen language, else from the fallback language; null when
// neither has it or the number is outside 0..149.
const wchar_t* UiText(int number);
// The same as a string; empty when there is no text.
std::wstring UiString(int number);
// False when the fallback file stands in for a missing file of the chosen language.
bool TranslationFound();
// The locale identifier of the first listed language with exactly this display name, else 0.
uint32_t FindLanguageId(const std::wstring& displayName);
