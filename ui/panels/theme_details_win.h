#pragma once
// The theme details panel: every cursor of one theme in a grid of 5 x 4 cells, each with its role's
// label, the theme's name, a back link to the themes panel and two apply buttons. It remembers the
// theme file it shows, not a row of the list: the list may be rebuilt while the details are open.
#include <memory>
#include <string>

class CTXObj;
class ScrollList;

class ThemeDetails {
public:
    static constexpr int kBackLink = 35;
    static constexpr int kApplyAndGoBack = 37;
    static constexpr int kApply = 94;

    ThemeDetails();
    ~ThemeDetails();

    // Shows the theme file's cursors. aboveList: the file is the current-theme file, shown for the
    // entry above the list. False (nothing changed) when it cannot be loaded.
    bool Fill(const std::wstring& path, bool aboveList);

    // The theme file shown; empty before the first fill.
    const std::wstring& File() const { return file_; }
    bool ShowsEntryAbove() const { return aboveList_; }
    // The cursor area's scroll bar.
    static bool IsScrollPart(int commandId);

private:
    std::unique_ptr<ScrollList> cursors_;
    CTXObj* backArrow_ = nullptr;
    CTXObj* backText_ = nullptr;
    CTXObj* name_ = nullptr;
    int nameTop_ = 0;
    std::wstring file_;
    bool aboveList_ = false;
};
