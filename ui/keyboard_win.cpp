#include "ui/keyboard_win.h"

#include <windows.h>

#include <algorithm>

#include "graphics/hv_state.h"
#include "ui/controls/control_events_win.h"
#include "ui/controls/ctx_obj_win.h"
#include "ui/controls/ctx_slider_win.h"
#include "ui/lists/hover_list_win.h"
#include "ui/panels/panel_trace_win.h"
#include "ui/ui_metrics_win.h"
#include "ui/window_state_win.h"

namespace keyboard {
namespace {

enum class Kind { Tabs, List, Control, Slider, Language };

struct Stop {
    Kind kind = Kind::Control;
    HVObj* object = nullptr;  // the control, the list's viewport, the selected tab
    HoverList* list = nullptr;
    HVRect rect;  // client pixels
    int commandId = 0;
};

constexpr int kThemeListHoverBar = 41;  // the theme list: arrows move the hover bar only
constexpr int kDeleteThemeCommand = 50;
constexpr int kSameLine = 8;               // stops whose tops differ by less are on one line
constexpr uint32_t kRingOuter = 0xD0702A;  // 0x00BBGGRR: the window's accent blue
constexpr uint32_t kRingInner = 0xF5DCC4;
constexpr int kRingGap = 3;

// The focus: what it was on, found again among the stops at each key.
Stop gFocus;
bool gHasFocus = false;
CTXObj* gRingOuter = nullptr;
CTXObj* gRingInner = nullptr;
WNDPROC gLanguageBoxProc = nullptr;

ControlEvents* Events() {
    return GetControlEvents();
}

bool ShownChain(const HVObj* object) {
    for (; object; object = object->Parent())
        if (!object->IsVisible()) return false;
    return true;
}

bool IsInside(const HVObj* object, const HVObj* ancestor) {
    for (; object; object = object->Parent())
        if (object == ancestor) return true;
    return false;
}

HVRect ClientRect(const HVObj* object) {
    int x = 0, y = 0;
    object->LocalOrigin(&x, &y);
    const HVRect box = object->GetStateRect();
    // LocalOrigin includes the object's own box: its client origin is where its box starts.
    return HVRect::FromSize(x, y, box.Width(), box.Height());
}

CTXObj* ShownPanel() {
    for (int i = 0; i < kPanelCount; ++i)
        if (IsPanelShown(static_cast<Panel>(i))) return gUi.panels[i];
    return nullptr;
}

int SelectedTab() {
    for (int i = 0; i < kTabCount; ++i)
        if (gUi.tabs[i] && gUi.tabs[i]->IsInState(hvstate::kSelected)) return i;
    return -1;
}

// The parts of the lists that belong to the list's stop, not to the panel's own order.
bool IsListPart(const HVObj* object) {
    for (HoverList* list : HoverList::All()) {
        ScrollList& scroll = list->Scroll();
        if (IsInside(object, scroll.Viewport()) || IsInside(object, scroll.Track())) return true;
    }
    return false;
}

void CollectControls(HVObj* object, std::vector<Stop>& stops) {
    if (!object->IsVisible() || IsListPart(object)) return;
    if (auto* slider = dynamic_cast<CTXSliderObj*>(object)) {
        stops.push_back({Kind::Slider, slider, nullptr, ClientRect(slider), slider->commandId});
    } else if (auto* control = dynamic_cast<CTXObj*>(object);
               control && control->commandId != 0 && control->kind != KIND_FADE_PANEL) {
        // A label that shares its control's command (a check box's text) is the same stop.
        const bool known = std::any_of(stops.begin(), stops.end(),
                                       [&](const Stop& stop) { return stop.commandId == control->commandId; });
        if (!known) stops.push_back({Kind::Control, control, nullptr, ClientRect(control), control->commandId});
    }
    for (HVObj* child : object->Children()) CollectControls(child, stops);
}

// Reading order: line by line from the top, left to right within a line.
void SortByReading(std::vector<Stop>& stops) {
    std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) { return a.rect.top < b.rect.top; });
    for (size_t start = 0; start < stops.size();) {
        size_t end = start + 1;
        while (end < stops.size() && stops[end].rect.top - stops[start].rect.top < Scaled(kSameLine)) ++end;
        std::stable_sort(stops.begin() + start, stops.begin() + end,
                         [](const Stop& a, const Stop& b) { return a.rect.left < b.rect.left; });
        start = end;
    }
}

std::vector<Stop> Stops() {
    std::vector<Stop> stops;
    const int tab = std::max(SelectedTab(), 0);
    if (gUi.tabs[tab]) stops.push_back({Kind::Tabs, gUi.tabs[tab], nullptr, ClientRect(gUi.tabs[tab]), 0});
    CTXObj* panel = ShownPanel();
    if (!panel) return stops;
    std::vector<Stop> inPanel;
    for (HoverList* list : HoverList::All()) {
        HVObj* viewport = list->Scroll().Viewport();
        if (IsInside(viewport, panel) && ShownChain(viewport))
            inPanel.push_back({Kind::List, viewport, list, ClientRect(viewport), list->Setup().hoverBarId});
    }
    CollectControls(panel, inPanel);
    if (panel == PanelObject(Panel::About) && gUi.languageBox && IsWindowVisible(gUi.languageBox)) {
        RECT box = {};
        GetWindowRect(gUi.languageBox, &box);
        MapWindowPoints(nullptr, gUi.window, reinterpret_cast<POINT*>(&box), 2);
        inPanel.push_back({Kind::Language, nullptr, nullptr, HVRect{box.left, box.top, box.right, box.bottom}, 0});
    }
    SortByReading(inPanel);
    stops.insert(stops.end(), inPanel.begin(), inPanel.end());
    return stops;
}

bool Same(const Stop& a, const Stop& b) {
    if (a.kind != b.kind) return false;
    if (a.kind == Kind::Tabs || a.kind == Kind::Language) return true;
    return a.kind == Kind::List ? a.list == b.list : a.object == b.object;
}

// Where the focus is among the stops; -1 when it is nowhere shown.
int FocusIndex(const std::vector<Stop>& stops) {
    if (!gHasFocus) return -1;
    for (size_t i = 0; i < stops.size(); ++i)
        if (Same(stops[i], gFocus)) return static_cast<int>(i);
    return -1;
}

const char* KindName(Kind kind) {
    switch (kind) {
        case Kind::Tabs:
            return "tabs";
        case Kind::List:
            return "list";
        case Kind::Slider:
            return "slider";
        case Kind::Language:
            return "language";
        default:
            return "button";
    }
}

void HideRing() {
    if (gRingOuter) gRingOuter->Hide();
    if (gRingInner) gRingInner->Hide();
}

void PlaceRing(const HVRect& rect) {
    if (!gRingOuter) return;
    const int gap = Scaled(kRingGap);
    const HVRect outer{rect.left - gap, rect.top - gap, rect.right + gap, rect.bottom + gap};
    for (CTXObj* ring : {gRingOuter, gRingInner}) {
        const int inset = ring == gRingOuter ? 0 : 1;
        if (auto* state = ring->CurrentVisual()) state->SetSize(outer.Width() - 2 * inset, outer.Height() - 2 * inset);
        ring->Move(outer.left + inset, outer.top + inset);
        ring->OnTop();
        ring->Show();
        ring->SetPositionFlags(0, 0, HVP_REDRAW);
    }
}

void FocusOn(const Stop& stop) {
    gFocus = stop;
    gHasFocus = true;
    if (stop.kind == Kind::Language) {
        HideRing();  // the box shows its own focus
        SetFocus(gUi.languageBox);
    } else {
        if (GetFocus() != gUi.window) SetFocus(gUi.window);
        PlaceRing(stop.rect);
    }
    PanelTrace(std::string("focus ") + KindName(stop.kind) + " " + std::to_string(stop.commandId) + " " +
               std::to_string(stop.rect.left) + " " + std::to_string(stop.rect.top));
}

void MoveFocus(int direction) {
    const std::vector<Stop> stops = Stops();
    if (stops.empty()) return;
    const int count = static_cast<int>(stops.size());
    int index = FocusIndex(stops);
    // The first Tab lands on the first stop (Shift+Tab on the last).
    index = index < 0 ? (direction > 0 ? 0 : count - 1) : (index + direction + count) % count;
    FocusOn(stops[index]);
}

void Command(CTXObj* control, int commandId) {
    if (control && commandId && Events()) Events()->OnCommand(control, commandId);
}

// The row the keys act on: the hover bar's when it shows, else the selected one.
int CurrentRow(HoverList* list) {
    if (list->HoverBar()->IsVisible() && list->HoverIndex() >= 0) return list->HoverIndex();
    return std::max(list->SelectedIndex(), 0);
}

void MoveInList(HoverList* list, int row) {
    if (list->RowCount() <= 0) return;
    row = std::clamp(row, 0, list->RowCount() - 1);
    list->ScrollToRow(row);
    // As the pointer over that row would, then (except in the theme list, where choosing applies)
    // as a click on the hover bar.
    if (Events()) Events()->OnHoverMove(list->Content(), 1, list->RowHeight() * row + list->RowHeight() / 2);
    if (list->Setup().hoverBarId != kThemeListHoverBar && list->HoverBar()->IsVisible())
        Command(list->HoverBar(), list->Setup().hoverBarId);
}

void ActivateList(HoverList* list) {
    if (list->HoverBar()->IsVisible() && list->HoverIndex() != list->SelectedIndex()) {
        Command(list->HoverBar(), list->Setup().hoverBarId);
        return;
    }
    // On the selected row: the second click of a double click, which applies where a list has that.
    Command(list->SelectionBar(), list->Setup().selectionBarId);
    Command(list->SelectionBar(), list->Setup().selectionBarId);
}

void SwitchPanel(int direction) {
    const int tab = std::max(SelectedTab(), 0);
    const int next = (tab + direction + kTabCount) % kTabCount;
    Command(gUi.tabs[next], gUi.tabs[next]->commandId);
    Stop tabs;
    tabs.kind = Kind::Tabs;
    tabs.object = gUi.tabs[next];
    tabs.rect = ClientRect(gUi.tabs[next]);
    FocusOn(tabs);
}

bool SliderKey(CTXSliderObj* slider, unsigned key) {
    const int range = std::abs(slider->maximum - slider->minimum);
    const int tenth = std::max(range / 10, 1);
    const int lowest = std::min(slider->minimum, slider->maximum), highest = std::max(slider->minimum, slider->maximum);
    const int value = std::clamp(slider->value, lowest, highest);
    switch (key) {
        case VK_LEFT:
            slider->StepTo(value - 1);
            return true;
        case VK_RIGHT:
            slider->StepTo(value + 1);
            return true;
        case VK_NEXT:
            slider->StepTo(value - tenth);
            return true;
        case VK_PRIOR:
            slider->StepTo(value + tenth);
            return true;
        case VK_HOME:
            slider->StepTo(lowest);
            return true;
        case VK_END:
            slider->StepTo(highest);
            return true;
    }
    return false;
}

bool FocusedKey(const Stop& stop, unsigned key) {
    switch (stop.kind) {
        case Kind::Tabs:
            if (key == VK_UP || key == VK_DOWN) {
                SwitchPanel(key == VK_UP ? -1 : 1);
                return true;
            }
            return false;
        case Kind::List:
            switch (key) {
                case VK_UP:
                    MoveInList(stop.list, CurrentRow(stop.list) - 1);
                    return true;
                case VK_DOWN:
                    MoveInList(stop.list, CurrentRow(stop.list) + 1);
                    return true;
                case VK_HOME:
                    MoveInList(stop.list, 0);
                    return true;
                case VK_END:
                    MoveInList(stop.list, stop.list->RowCount() - 1);
                    return true;
                case VK_RETURN:
                case VK_SPACE:
                    ActivateList(stop.list);
                    return true;
                case VK_DELETE:
                    if (stop.list->Setup().hoverBarId != kThemeListHoverBar) return false;
                    Command(stop.list->Content(), kDeleteThemeCommand);
                    return true;
            }
            return false;
        case Kind::Slider:
            return SliderKey(static_cast<CTXSliderObj*>(stop.object), key);
        case Kind::Control:
            if (key != VK_RETURN && key != VK_SPACE) return false;
            Command(static_cast<CTXObj*>(stop.object), stop.commandId);
            return true;
        case Kind::Language:
            return false;
    }
    return false;
}

// The language box is a real control: Tab leaves it for the window's own focus order.
LRESULT CALLBACK LanguageBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETDLGCODE) return CallWindowProcW(gLanguageBoxProc, box, message, wParam, lParam) | DLGC_WANTTAB;
    if (message == WM_KEYDOWN && wParam == VK_TAB && !SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0)) {
        const int direction = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
        if (GetKeyState(VK_CONTROL) < 0)
            SwitchPanel(direction);
        else
            MoveFocus(direction);
        return 0;
    }
    return CallWindowProcW(gLanguageBoxProc, box, message, wParam, lParam);
}

CTXObj* MakeRing(uint32_t colour) {
    auto* ring = new CTXObj;
    ring->AddState(new HVRectangularState(hvstate::kDefault, colour, 255, colour, 0));
    ring->SetMovable(false);
    ring->SetParent(gUi.root);
    ring->Create();
    return ring;  // hidden until a key moves the focus
}

}  // namespace

void Attach() {
    gRingOuter = MakeRing(kRingOuter);
    gRingInner = MakeRing(kRingInner);
    gHasFocus = false;
    if (gUi.languageBox && !gLanguageBoxProc)
        gLanguageBoxProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(gUi.languageBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LanguageBoxProc)));
}

void Detach() {
    if (gUi.languageBox && gLanguageBoxProc)
        SetWindowLongPtrW(gUi.languageBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gLanguageBoxProc));
    gLanguageBoxProc = nullptr;
    gRingOuter = gRingInner = nullptr;  // they belong to the root, which goes with the window
    gHasFocus = false;
}

bool HandleKey(HVObj*, unsigned key) {
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (key == VK_TAB) {
        if (control)
            SwitchPanel(shift ? -1 : 1);
        else
            MoveFocus(shift ? -1 : 1);
        return true;
    }
    if (key == VK_ESCAPE) {
        PostMessageW(gUi.window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return true;
    }
    const std::vector<Stop> stops = Stops();
    const int index = FocusIndex(stops);
    if (index < 0) return false;
    // The ring comes back with any key the focus answers.
    const Stop stop = stops[index];
    if (!FocusedKey(stop, key)) return false;
    const std::vector<Stop> after = Stops();
    const int still = FocusIndex(after);
    if (still >= 0 && gFocus.kind != Kind::Language) PlaceRing(after[still].rect);
    return true;
}

void OnMouseInput() {
    HideRing();
}

std::vector<FocusStop> FocusOrder() {
    std::vector<FocusStop> order;
    for (const Stop& stop : Stops())
        order.push_back({KindName(stop.kind), stop.commandId, stop.rect.left, stop.rect.top});
    return order;
}

}  // namespace keyboard
