#include "tools/halvix_gallery/gallery_layout_win.h"

#include <string>

#include "graphics/hv_bitmap_state.h"
#include "graphics/hv_window_host_win.h"
#include "resources/artwork_ids.h"
#include "tools/halvix_gallery/gallery_log_win.h"
#include "tools/halvix_gallery/gallery_probe_win.h"
#include "ui/controls/artwork_win.h"
#include "ui/controls/control_factory_win.h"
#include "ui/controls/ctx_slider_win.h"
#include "ui/controls/scroll_list_win.h"
#include "ui/ui_metrics_win.h"

namespace {

constexpr uint32_t kInk = 0x222222;
constexpr uint32_t kMutedInk = 0x666666;
constexpr uint32_t kAccent = 0xD0702A;   // 0x00BBGGRR: a clear blue
constexpr uint32_t kMagenta = 0xFF00FF;  // text colour of outline-only text

TextStyle Style(double points, uint32_t colour, bool bold = false) {
    TextStyle style;
    style.points = points;
    style.colour = colour;
    style.bold = bold;
    return style;
}

HVBitmapState* TextLook(const wchar_t* name, const std::wstring& text, double points, uint32_t colour, bool halo,
                        uint32_t haloColour) {
    HVTextParams params;
    params.text = text;
    params.pointSize = ScaledPoints(points);
    params.bold = true;
    params.colour = colour;
    params.halo = halo;
    params.haloColour = haloColour;
    auto* state = new HVBitmapState(name, params);
    state->SetHitMode(HVH_NEVER);
    return state;
}

CTXObj* Holder(HVObj* parent, HVBitmapState* state, int x, int y) {
    auto* control = new CTXObj;
    control->AddState(state);
    control->SetMovable(false);
    control->SetParent(parent);
    control->Create();
    control->Move(x, y);
    control->Show();
    return control;
}

bool IsListArea(int id) {
    return id == gallery::kListContent || id == gallery::kHoverBar || id == gallery::kSelectionBar;
}

}  // namespace

Gallery::Gallery(HWND window, bool still) : window_(window) {
    SetControlEvents(this);
    root_ = new CTXObj(HVK_WRAPPED, CreateWindowHost(window));
    root_->SetParent(gHVObjects.root);
    root_->Create();
    BuildSidebar();
    BuildPanel(still);
    root_->Show();
    root_->Redraw(HVI_NOW);
}

Gallery::~Gallery() {
    SetControlEvents(nullptr);
    list_.reset();
    delete root_;
}

void Gallery::BuildSidebar() {
    CreateSizedImage(root_, 0, 0, Scaled(250), Scaled(600), IDP_SIDEBAR);
    const wchar_t* names[] = {L"Controls", L"Lists", L"Text", L"Motion"};
    const int icons[] = {IDP_ICON_THEMES, IDP_ICON_EFFECTS, IDP_ICON_TRAILS, IDP_ICON_OPTIONS};
    for (int i = 0; i < 4; ++i) {
        CTXObj* tab = CreateListItem(root_, 0, Scaled(10) + Scaled(48) * i, Scaled(250), Scaled(48), IDP_TAB_OVER,
                                     IDP_TAB_SELECTED);
        tab->commandId = gallery::kFirstTab + i;
        tabs_.push_back(tab);
    }
    // Labels and icons lie over the tabs, not in them: a tab's look fades, its label stays.
    for (int i = 0; i < 4; ++i) {
        const int top = Scaled(10) + Scaled(48) * i;
        CTXObj* label = CreateTextLabel(root_, Scaled(36), 0, names[i], Style(14, kInk));
        label->Move(Scaled(36), top + (Scaled(48) - ControlHeight(label)) / 2);
        CreateSizedImage(root_, Scaled(8), top + (Scaled(48) - Scaled(16)) / 2, Scaled(16), Scaled(16), icons[i]);
    }
    SelectTab(0);
}

void Gallery::BuildPanel(bool still) {
    CTXObj* panel = CreateFadePanel(root_, Scaled(250) - 1, 0, Scaled(800) - Scaled(250) + 1, Scaled(600), IDP_PANEL);
    panel->ChangeState(hvstate::kShow, HVC_FORCE | HVC_NO_ANIMATION);
    panel->Show();

    CreateTextLabel(panel, Scaled(16), Scaled(14), L"Halvix gallery", Style(27, kInk));
    CreateTextLabel(panel, Scaled(16), Scaled(58), L"Every kind of control the settings window is built from.",
                    Style(12, kMutedInk));

    // Buttons and a link.
    CreatePushButton(panel, Scaled(16), Scaled(92), Scaled(100), Scaled(27), gallery::kPlainButton, 0, L"Plain");
    CreatePushButton(panel, Scaled(126), Scaled(92), Scaled(100), Scaled(27), gallery::kAccentButton, 1, L"Apply");
    CreatePushButton(panel, Scaled(236), Scaled(92), Scaled(100), Scaled(27), gallery::kIconButton, 2, L"New");
    CreateLinkButton(panel, Scaled(352), Scaled(96), gallery::kLink, L"A link to somewhere", Style(12, kAccent));

    // A check box with its label, and two page heads.
    checkBox_ = CreateImage(panel, Scaled(16), Scaled(140), IDP_CHECKBOX);
    checkBox_->AddState(new HVBitmapState(hvstate::kEnabled, LoadArtwork(IDP_CHECKBOX_CHECKED)));
    MakeClickable(checkBox_, gallery::kCheckBox);
    CTXObj* checkLabel = CreateTextLabel(panel, Scaled(42), Scaled(139), L"Mirror pointers", Style(12, kInk));
    MakeClickable(checkLabel, gallery::kCheckBox);
    for (int i = 0; i < 2; ++i) {
        const int x = Scaled(240) + Scaled(150) * i;
        pageHeads_[i] = CreateToggleImage(panel, x, Scaled(130), gallery::kFirstPage + i, Scaled(150), Scaled(36),
                                          Margins{Scaled(8), Scaled(8), 0, 0}, IDP_PAGE_TAB, IDP_PAGE_TAB_SELECTED);
        pageCaptions_[i] =
            CreateTwoStateText(pageHeads_[i], 0, 0, i == 0 ? L"Appearance" : L"Shadow", Style(12, kMutedInk), kAccent);
        pageCaptions_[i]->Move((Scaled(150) - ControlWidth(pageCaptions_[i])) / 2,
                               (Scaled(36) - ControlHeight(pageCaptions_[i])) / 2);
    }
    SelectPage(gallery::kFirstPage);

    // Sliders.
    CreateStandardSlider(panel, gallery::kSlider, 40, Scaled(16), Scaled(212), Scaled(200), 0, 100, L"Opacity");
    CreateSlider(panel, gallery::kHueSlider, 128, Scaled(260), Scaled(212), Scaled(200), 0, 255, L"Hue",
                 IDP_SLIDER_TRACK_HUE);

    BuildList(panel);
    BuildTexts(panel, still);

    // Buttons that change the tree under the pointer, and the probes of the input tests.
    CreatePushButton(panel, Scaled(16), Scaled(556), Scaled(100), Scaled(27), gallery::kRemoveButton, 0, L"Remove me");
    CreatePushButton(panel, Scaled(126), Scaled(556), Scaled(100), Scaled(27), gallery::kFadeButton, 0, L"Fade");
    fadeDemo_ = CreateFadePanel(panel, Scaled(236), Scaled(546), Scaled(120), Scaled(46), IDP_BUTTON_ACCENT);
    fadeDemo_->ChangeState(hvstate::kShow, HVC_FORCE | HVC_NO_ANIMATION);
    fadeDemo_->Show();
    CreateTextLabel(fadeDemo_, Scaled(16), Scaled(12), L"Fading panel", Style(12, kInk));

    for (int i = 0; i < 2; ++i) {
        auto* probe = new GalleryProbe(i == 0 ? "A" : "B", Scaled(60), Scaled(40), i == 0 ? kAccent : 0x2A8FE0);
        probe->SetParent(panel);
        probe->Create();
        probe->Move(Scaled(372) + Scaled(84) * i, Scaled(546));
        probe->Show();
    }
}

void Gallery::BuildList(HVObj* panel) {
    ScrollListSetup setup;
    setup.thumbId = gallery::kThumb;
    setup.upId = gallery::kUpArrow;
    setup.downId = gallery::kDownArrow;
    setup.trackId = gallery::kTrack;
    setup.contentId = gallery::kListContent;
    setup.upTimer = gallery::kUpTimer;
    setup.downTimer = gallery::kDownTimer;
    setup.repeatByPixel = true;
    list_ = std::make_unique<ScrollList>(panel, Scaled(16), Scaled(262), Scaled(290), Scaled(270), setup);
    rowHeight_ = Scaled(40);
    CTXObj* content = list_->Content();
    const int width = list_->ContentWidth();
    const Margins bar{Scaled(6), Scaled(6), Scaled(6), Scaled(6)};
    hoverBar_ = CreateStretchedImage(content, 0, 0, width, rowHeight_, bar.left, bar.right, bar.top, bar.bottom,
                                     IDP_LIST_HOVER);
    MakeClickable(hoverBar_, gallery::kHoverBar, HVC_ARROW);
    hoverBar_->Hide();
    selectionBar_ = CreateStretchedImage(content, 0, 0, width, rowHeight_, bar.left, bar.right, bar.top, bar.bottom,
                                         IDP_LIST_SELECTED);
    MakeClickable(selectionBar_, gallery::kSelectionBar, HVC_ARROW);
    for (int i = 0; i < gallery::kRowCount; ++i) {
        CTXObj* row = CreateArea(content, 0, rowHeight_ * i, width, rowHeight_);
        row->kind = KIND_HOT_ROW;
        row->commandId = gallery::kFirstRow + i;
        static_cast<HVVisualState*>(row->CurrentState())->SetHitMode(HVH_NEVER);  // the content takes the pointer
        CTXObj* label = CreateTextLabel(row, Scaled(14), 0, L"Row " + std::to_wstring(i + 1), Style(12, kInk));
        label->Move(Scaled(14), (rowHeight_ - ControlHeight(label)) / 2);
    }
    list_->SetContentHeight(rowHeight_ * gallery::kRowCount);
    // Half the track's free travel per row, as the window's lists step.
    list_->SetStep(std::max(1, ((list_->TrackHeight() - Scaled(18) - list_->ThumbHeight()) / gallery::kRowCount) / 2));
    SelectRow(0);
}

void Gallery::BuildTexts(HVObj* panel, bool still) {
    const int x = Scaled(330);
    CreateAlignedTextLabel(panel, x, Scaled(262),
                           L"A longer label that is wrapped once, at the space nearest its middle.", Style(12, kInk),
                           Scaled(200));
    Holder(panel, TextLook(hvstate::kDefault, L"Halo text", 18, 0xFFFFFF, true, 0x303030), x, Scaled(318));
    Holder(panel, TextLook(hvstate::kDefault, L"Outline", 28, kMagenta, true, kAccent), x, Scaled(354));
    CreateTextLabel(panel, x, Scaled(408), L"Label with a shadow", Style(14, kInk), true);

    CTXObj* box = CreateRectangle(panel, x, Scaled(448), Scaled(200), Scaled(70), 0xE6E6E6, 0xFFFFFF);
    CTXObj* spinner = Holder(box, CreateSpinnerState(hvstate::kDefault, Scaled(40)), Scaled(14), Scaled(15));
    if (still) spinner->ChangeState(hvstate::kDefault, HVC_FORCE | HVC_NO_ANIMATION);
    CreateTextLabel(box, Scaled(66), Scaled(24), L"Animated state", Style(12, kMutedInk));
}

void Gallery::SelectTab(int index) {
    for (size_t i = 0; i < tabs_.size(); ++i) {
        if (static_cast<int>(i) == index)
            tabs_[i]->ChangeState(hvstate::kSelected);
        else if (tabs_[i]->IsInState(hvstate::kSelected))
            tabs_[i]->ChangeState(hvstate::kAway);
    }
}

void Gallery::SelectPage(int commandId) {
    for (int i = 0; i < 2; ++i) {
        const wchar_t* look = gallery::kFirstPage + i == commandId ? hvstate::kSelected : hvstate::kDefault;
        pageHeads_[i]->ChangeState(look);
        pageCaptions_[i]->ChangeState(look);
    }
}

void Gallery::MoveHoverBar(int row) {
    if (row < 0 || row >= gallery::kRowCount) return;
    hoverRow_ = row;
    hoverBar_->Move(0, rowHeight_ * row);
    if (row == selectedRow_)
        hoverBar_->Hide();
    else
        hoverBar_->Show();
}

void Gallery::SelectRow(int row) {
    if (row < 0 || row >= gallery::kRowCount) return;
    selectedRow_ = row;
    selectionBar_->Move(0, rowHeight_ * row);
    hoverBar_->Hide();
}

void Gallery::OnCommand(CTXObj* control, int commandId) {
    GalleryLog("command " + std::to_string(commandId));
    if (commandId >= gallery::kFirstTab && commandId < gallery::kFirstTab + 4) {
        SelectTab(commandId - gallery::kFirstTab);
    } else if (commandId == gallery::kCheckBox) {
        checkBox_->ChangeState(checkBox_->IsInState(hvstate::kDefault) ? hvstate::kEnabled : hvstate::kDefault);
    } else if (commandId == gallery::kFirstPage || commandId == gallery::kSecondPage) {
        SelectPage(commandId);
    } else if (commandId == gallery::kHoverBar) {
        SelectRow(hoverRow_);
    } else if (commandId == gallery::kListContent) {
        MoveHoverBar(hoverRow_);
        SelectRow(hoverRow_);
    } else if (commandId == gallery::kRemoveButton) {
        delete control;  // the object under the pointer goes away inside its own click
    } else if (commandId == gallery::kFadeButton) {
        const bool shown = fadeDemo_->IsVisible() && !fadeDemo_->IsInState(hvstate::kHide);
        if (shown) {
            fadeDemo_->ChangeState(hvstate::kHide);
        } else {
            fadeDemo_->ChangeState(hvstate::kShow);
            fadeDemo_->Show();
        }
    } else if (commandId == gallery::kTrack) {
        list_->DragThumb(Scaled(5));
    }
}

void Gallery::OnSliderValue(CTXSliderObj*, int commandId, int value) {
    GalleryLog("slider " + std::to_string(commandId) + " " + std::to_string(value));
}

void Gallery::OnHoverEnter(CTXObj* control) {
    if (control->commandId) GalleryLog("enter " + std::to_string(control->commandId));
}

void Gallery::OnHoverMove(CTXObj* control, int, int y) {
    if (control->commandId == gallery::kListContent)
        MoveHoverBar(y / rowHeight_);
    else if (control->commandId == gallery::kSelectionBar)
        MoveHoverBar(selectedRow_);
}

void Gallery::OnHoverLeave(CTXObj* control, HVObj* next) {
    if (control->commandId) GalleryLog("leave " + std::to_string(control->commandId));
    if (IsListArea(control->commandId) && !IsListArea(CommandIdOf(next))) hoverBar_->Hide();
}

void Gallery::OnWheel(int delta) {
    GalleryLog("wheel " + std::to_string(delta));
    list_->DragThumb(-list_->Step() * delta / 120);
}
