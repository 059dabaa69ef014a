#pragma once
// The about panel's language box: the languages of the "lang" folder, and a new choice stored and
// offered as a restart.
#include <windows.h>

#include <string>

// Lists the languages of the "lang" folder in gTranslations and in the combo box (folder order; at
// most kMaxLanguages) and selects the chosen language, else English, else nothing.
void FillLanguageListFrom(HWND comboBox, const std::wstring& languageFolder);
void FillLanguageList(HWND comboBox);

// The language box reported a new choice: stores it as "Language" and offers to restart the
// program in it (text 78); on Yes starts a new instance and ends this one's message loop.
void ChangeLanguage(HWND mainWindow, HWND languageBox);
