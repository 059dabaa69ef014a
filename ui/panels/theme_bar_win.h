#pragma once
// The selection bar of the themes list with its five buttons (details, edit, properties, web site,
// delete) and what four of them do; the details button's panel is the theme details panel's. The
// bar owns the selected row: its buttons act on the theme of the row the bar lies on, never on
// the row the pointer was over last.
#include <string>

class CTXObj;
class HoverList;
struct THEME_INFO;

class ThemeSelectionBar {
public:
    // The buttons go onto the list's selection bar.
    explicit ThemeSelectionBar(HoverList& list);

    // The selected row: -1 the entry above the list, 0 the system's pointers, 1 .. the themes;
    // HoverList::kNone while none is.
    int Row() const { return row_; }
    // Forgets the selection (the list was rebuilt); the bar stays where it is until Select.
    void Clear() { row_ = -2; }
    // Puts the bar on a row and shows the buttons its theme allows: none for row 0; for a theme
    // row details, properties, web site only with an address, edit and delete only without the
    // option lock; for the entry above all but delete (the bar itself leaves the list's view).
    // Selecting the selected row again only hides the hover bar. False when a theme row has no
    // record.
    bool Select(int row, const THEME_INFO* record);

    static bool IsButton(int commandId);

private:
    void ShowButtons(bool details, bool edit, bool properties, bool web, bool remove);

    HoverList& list_;
    CTXObj* buttons_[5] = {};
    int row_ = -2;
};

// What the buttons do, on a theme file and its library record.
namespace themecommands {

// Starts the theme editor beside the program with the given arguments (none for a new theme);
// says so when the editor is not there.
void StartEditor(const wchar_t* arguments);
// Asks whether to delete the theme file (named without its folder); on Yes deletes it. The folder
// watch then rebuilds the list.
void AskAndDelete(const std::wstring& path);
// Opens the theme's web address, which comes from a theme file anyone may have written: only an
// http:// or https:// address is handed to the shell; anything else (a program, a share, a
// document) is refused with a message and nothing is started.
void OpenWebSite(const std::wstring& address);
// True for an address that starts with "http://" or "https://" (in any letter case), has
// something after it and holds no control character.
bool IsWebAddress(const std::wstring& address);

}  // namespace themecommands
