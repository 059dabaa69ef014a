#pragma once
// The web addresses the window opens: the product's page, its wiki and the wiki's translation
// guide, and the theme gallery. Kept here, in one place, as configuration.
namespace weblinks {

constexpr wchar_t kProductPage[] = L"https://www.morvanta.com/";
constexpr wchar_t kWiki[] = L"https://www.morvanta.com/wiki/";
constexpr wchar_t kTranslationGuide[] = L"https://www.morvanta.com/wiki/Translating_Morvanta";
constexpr wchar_t kThemeGallery[] = L"https://www.morvanta.com/themes/";
constexpr wchar_t kThemeGalleryName[] = L"www.morvanta.com/themes";

}  // namespace weblinks

// Opens a web address, a document or a program the way the shell does (the default action,
// environment variables expanded, shown normally). Failures are not reported.
void OpenWithShell(const wchar_t* target, const wchar_t* parameters = nullptr);

// As OpenWithShell, but the target is taken as it is: no environment variables are expanded, so
// that an address from a theme file cannot carry the user's name or folders to a web server.
void OpenWithShellAsIs(const wchar_t* target);
