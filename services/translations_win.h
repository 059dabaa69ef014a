#pragma once
// Finding, reading and choosing the translation files: "lang\<locale id>\ui.txt" beside the
// program, with lang\1033\ui.txt as the fallback for every text the chosen language lacks.
#include <windows.h>

#include <cstdint>
#include <string>

#include "services/translations.h"

// Reads a text file as described in translations.h (byte-order mark test, ANSI code page, final
// line break). Empty when the file cannot be opened, holds 2 bytes or less, or is larger than a
// text file of this program can sensibly be (kMaxTextFileBytes).
constexpr uint64_t kMaxTextFileBytes = 64ull << 20;
std::wstring ReadTextFile(const std::wstring& path);

// The program folder's "lang" folder, without a trailing separator.
std::wstring LanguageFolder();

// The language the user chose ("Language"), or the user's default language when none was chosen.
uint32_t ChosenLanguageId();

// Loads the chosen language's texts and the fallback texts into gTranslations from the given
// "lang" folder. Returns false, with both tables empty, when neither file exists.
bool LoadTranslationsFrom(const std::wstring& languageFolder);

// The same from the program's own "lang" folder; when no file is found it says so in a message
// box ("Could not find translation file") and the program runs on without texts.
bool LoadTranslations();

// The system's display name of a language, at most kMaxLanguageNameChars characters; empty when
// the system does not know the identifier.
std::wstring LanguageDisplayName(uint32_t id);
