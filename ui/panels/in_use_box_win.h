#pragma once
// The in-use box of the themes panel: the line "theme in use" with the theme's name after it, and a
// box of eight slots showing some cursors of the theme in use (roles 0, 2, 3, 5, 12, 18 and 19)
// with the appearance settings applied, as the engine draws them. A click on a slot shows the
// theme details panel. The box owns its slots and the name label.
class CTheme;
class CTXObj;
class HVObj;

class InUseBox {
public:
    static constexpr int kBoxCommand = 51;
    static constexpr int kSlotCommand = 28;

    // Builds the line at (x, lineTop) of the panel and the box width pixels wide under it.
    InUseBox(HVObj* panel, int x, int lineTop, int width);

    // Shows the theme (null: the system's own pointers). The cursors are prepared in parallel;
    // the arrow's untouched copy becomes the options preview's source.
    void Show(CTheme* theme);

    CTXObj* Box() const { return box_; }

private:
    void ShowName(CTheme* theme);
    int SlotHome(int slot) const;

    static constexpr int kSlotCount = 8;
    CTXObj* line_ = nullptr;
    CTXObj* name_ = nullptr;
    CTXObj* box_ = nullptr;
    CTXObj* slots_[kSlotCount] = {};
};
