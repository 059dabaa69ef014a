#include "ui/panels/theme_details_win.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "base/text_encoding.h"
#include "graphics/hv_bitmap_state.h"
#include "graphics/hv_state.h"
#include "resources/artwork_ids.h"
#include "services/ui_text_ids.h"
#include "theme/theme.h"
#include "theme/theme_tables.h"
#include "ui/controls/control_factory_win.h"
#include "ui/controls/scroll_list_win.h"
#include "ui/panels/panel_layout_win.h"
#include "ui/panels/panel_trace_win.h"
#include "ui/panels/part_views_win.h"
#include "ui/panels/theme_list_layout.h"
#include "ui/ui_metrics_win.h"
#include "ui/window_state_win.h"

namespace {

using namespace panelstyle;

constexpr int kPanelWidth = 551;
constexpr int kPanelHeight = 600;
constexpr int kGap = 10;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 27;
constexpr int kBackArrowSize = 16;
constexpr int kBackLinkTop = 62;

const ScrollListSetup kCursorScroll = [] {
    ScrollListSetup setup;
    setup.thumbId = 10;
    return setup;
}();

int Bottom(const HVObj* control) {
    return control->GetStateRect().bottom;
}

// A cursor's picture for its cell: its own copy, fully opaque, playing over and over, fitted.
std::unique_ptr<HVBitmapState> CellPicture(const HVBitmapState& image, const DetailsGrid& grid) {
    auto copy = std::make_unique<HVBitmapState>(hvstate::kDefault, image, true);
    copy->SetOpacity(255);
    copy->SetOffset(0, 0);
    copy->SetHitMode(HVH_NEVER);
    if (copy->FrameCount() > 1)
        copy->SetAnimation(copy->FrameCount(), copy->FrameDelay(), copy->ModeFlags() | HVS_LOOP);
    const BoxSize fit = FitIntoCell(copy->Width(), copy->Height(), grid.cellWidth, grid.cellHeight);
    if (fit.width != copy->Width() || fit.height != copy->Height()) copy->Resize(fit.width, fit.height);
    return copy;
}

}  // namespace

ThemeDetails::ThemeDetails() {
    HVObj* panel = PanelObject(Panel::Details);
    const int margin = Scaled(kMargin);
    CreatePanelHeading(panel, uitext::kDetailsHeading);
    const int arrow = Scaled(kBackArrowSize);
    backArrow_ = CreateSizedImage(panel, margin, Scaled(kBackLinkTop), arrow, arrow, IDP_BACK_ARROW);
    MakeClickable(backArrow_, kBackLink);
    backText_ = CreateLinkButton(panel, margin + arrow + Scaled(6), Scaled(kBackLinkTop), kBackLink,
                                 Text(uitext::kBackToThemes), panelstyle::Text(kSmallPoints, kLinkBlue));
    backArrow_->Move(margin, Scaled(kBackLinkTop) + (ControlHeight(backText_) - arrow) / 2);
    backArrow_->Hide();
    backText_->Hide();
    CTXObj* line = CreateTextLabel(panel, margin, Bottom(backText_) + Scaled(kGap), Text(uitext::kDetailsPointers),
                                   panelstyle::Text(kBodyPoints, kInk));
    // The theme's name goes under the line; the cursor area starts below it.
    nameTop_ = Bottom(line) + Scaled(4);
    const int areaTop = nameTop_ + ControlHeight(line) + Scaled(kGap);

    const int buttonTop = Scaled(kPanelHeight - kMargin - kButtonHeight);
    const int applyX = Scaled(kPanelWidth - kMargin - kButtonWidth);
    CTXObj* apply = CreatePushButton(panel, applyX, buttonTop, Scaled(kButtonWidth), Scaled(kButtonHeight), kApply, 0,
                                     Text(uitext::kApply));
    const int backWidth = CaptionButtonWidth(Text(uitext::kApplyAndGoBack));
    CTXObj* applyAndBack = CreatePushButton(panel, applyX - Scaled(kGap) - backWidth, buttonTop, backWidth,
                                            Scaled(kButtonHeight), kApplyAndGoBack, 0, Text(uitext::kApplyAndGoBack));

    const int width = Scaled(kPanelWidth) - 2 * margin;
    cursors_ =
        std::make_unique<ScrollList>(panel, margin, areaTop, width, buttonTop - Scaled(kGap) - areaTop, kCursorScroll);
    TraceLayout(
        "details-layout",
        {{"back", backText_}, {"cursors", cursors_->Content()}, {"apply-and-back", applyAndBack}, {"apply", apply}});
}

ThemeDetails::~ThemeDetails() = default;

bool ThemeDetails::IsScrollPart(int commandId) {
    return commandId == kCursorScroll.thumbId;
}

bool ThemeDetails::Fill(const std::wstring& path, bool aboveList) {
    if (path.empty()) return false;
    CTheme theme;
    if (!theme.Load(path, false)) {
        PanelTrace("details load failed " + text::Utf16ToUtf8(path));
        return false;
    }
    theme.Rescale(gUiScale);
    CTXObj* area = cursors_->Content();
    area->DestroyChildren();
    const int height = cursors_->ViewportHeight() - 2;
    const DetailsGrid grid = ComputeDetailsGrid(cursors_->ContentWidth(), height, gUiScale);
    const TextStyle labelStyle = panelstyle::Text(kSmallPoints, kLabelInk);
    int place = 0;
    std::string roles;
    for (int role = 0; role < kPointerRoleCount && place < DetailsGrid::kColumns * DetailsGrid::kRows; ++role) {
        CCursor* cursor = theme.FindCursor(role, 1, 1);
        if (!cursor || !cursor->image) continue;
        CreatePreviewObject(area, CellPicture(*cursor->image, grid), grid.CellX(place), grid.CellY(place),
                            grid.cellWidth, grid.cellHeight);
        const PointerRole* info = FindPointerRole(role);
        CTXObj* label = CreateTextLabel(area, 0, 0, info && info->label ? info->label : L"", labelStyle);
        label->Move(grid.CellX(place) + (grid.cellWidth - ControlWidth(label)) / 2,
                    grid.LabelY(place) + (grid.labelBand - ControlHeight(label)) / 2);
        roles += " " + std::to_string(role);
        ++place;
    }
    cursors_->SetContentHeight(height);
    delete name_;
    name_ = CreateTextLabel(PanelObject(Panel::Details), Scaled(kMargin), nameTop_, theme.DisplayName(),
                            panelstyle::Text(kBodyPoints, kMutedInk));
    backArrow_->Show();
    backText_->Show();
    file_ = path;
    aboveList_ = aboveList;
    const size_t slash = path.find_last_of(L"\\/");
    PanelTrace("details file " + text::Utf16ToUtf8(slash == std::wstring::npos ? path : path.substr(slash + 1)) +
               " roles" + roles + " cell " + std::to_string(grid.cellWidth) + " " + std::to_string(grid.cellHeight));
    return true;
}
