#pragma once
// The gallery's window: the adopted dialog, a sidebar of tabs and one panel holding a sample of
// every control, and the handler of their events (it logs them and does what a window would:
// selects rows and tabs, toggles the check box, scrolls, fades).
#include <windows.h>

#include <memory>
#include <vector>

#include "ui/controls/control_events_win.h"

class CTXObj;
class CTXSliderObj;
class HVObj;
class ScrollList;

// Command ids of the gallery's controls.
namespace gallery {
constexpr int kPlainButton = 1001;
constexpr int kAccentButton = 1002;
constexpr int kIconButton = 1003;
constexpr int kLink = 1004;
constexpr int kCheckBox = 1005;
constexpr int kFirstPage = 1006;
constexpr int kSecondPage = 1007;
constexpr int kSlider = 1008;
constexpr int kHueSlider = 1009;
constexpr int kThumb = 1010;
constexpr int kUpArrow = 1011;
constexpr int kDownArrow = 1012;
constexpr int kRemoveButton = 1013;
constexpr int kFadeButton = 1014;
constexpr int kTrack = 1015;
constexpr int kListContent = 1020;
constexpr int kHoverBar = 1021;
constexpr int kSelectionBar = 1022;
constexpr int kFirstTab = 2001;  // 2001 .. 2004
constexpr int kFirstRow = 300;   // rows 300 .. 319
constexpr int kRowCount = 20;
constexpr UINT kUpTimer = 301;
constexpr UINT kDownTimer = 302;
}  // namespace gallery

class Gallery : public ControlEvents {
public:
    Gallery(HWND window, bool still);
    ~Gallery() override;

    CTXObj* Root() const { return root_; }
    HWND Window() const { return window_; }

    void OnCommand(CTXObj* control, int commandId) override;
    void OnSliderValue(CTXSliderObj* slider, int commandId, int value) override;
    void OnHoverEnter(CTXObj* control) override;
    void OnHoverMove(CTXObj* control, int x, int y) override;
    void OnHoverLeave(CTXObj* control, HVObj* next) override;
    void OnWheel(int delta) override;

private:
    void BuildSidebar();
    void BuildPanel(bool still);
    void BuildList(HVObj* panel);
    void BuildTexts(HVObj* panel, bool still);
    void SelectTab(int index);
    void SelectPage(int commandId);
    void MoveHoverBar(int row);
    void SelectRow(int row);

    HWND window_;
    CTXObj* root_ = nullptr;  // the adopted window; owns every control
    std::vector<CTXObj*> tabs_;
    CTXObj* checkBox_ = nullptr;
    CTXObj* pageHeads_[2] = {};
    CTXObj* pageCaptions_[2] = {};
    std::unique_ptr<ScrollList> list_;
    CTXObj* hoverBar_ = nullptr;
    CTXObj* selectionBar_ = nullptr;
    CTXObj* fadeDemo_ = nullptr;
    int hoverRow_ = -1;
    int selectedRow_ = 0;
    int rowHeight_ = 0;
};
