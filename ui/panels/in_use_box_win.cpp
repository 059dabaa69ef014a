#include "ui/panels/in_use_box_win.h"

#include <algorithm>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "graphics/cursor_appearance.h"
#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "graphics/hv_state.h"
#include "services/settings.h"
#include "services/ui_text_ids.h"
#include "theme/theme.h"
#include "ui/controls/control_factory_win.h"
#include "ui/panels/options_panel_win.h"
#include "ui/panels/options_settings_win.h"
#include "ui/panels/panel_layout_win.h"
#include "ui/panels/panel_trace_win.h"
#include "ui/panels/theme_list_layout.h"
#include "ui/ui_metrics_win.h"

namespace {

using namespace panelstyle;

constexpr int kGap = 10;
constexpr int kBoxHeight = 50;
constexpr int kSlotStep = 64;
constexpr int kSlotInset = 5;
constexpr int kSlotNullSize = 10;
constexpr int kVisibleHeight = 46;
constexpr int kNameGap = 5;
constexpr int kRoles[] = {0, 2, 3, 5, 12, 18, 19};

constexpr wchar_t kNullState[] = L"null";

int Bottom(const HVObj* control) {
    return control->GetStateRect().bottom;
}

// The visible height of a state's picture (rows with alpha above the threshold).
int VisibleHeight(const HVBitmapState& state) {
    const HVBitmap* bitmap = state.Bitmap();
    if (!bitmap) return state.Height();
    int left = 0, top = 0, right = -1, bottom = -1;
    bitmap->GetOpaqueBounds(&left, &top, &right, &bottom, kVisibleAlphaThreshold);
    return bottom >= top ? bottom - top : 0;
}

// A copy of a cursor's picture as a decoration: named "Default", fully opaque, its own bitmap.
std::unique_ptr<HVBitmapState> CursorCopy(const HVBitmapState& image) {
    auto copy = std::make_unique<HVBitmapState>(hvstate::kDefault, image, true);
    copy->SetOpacity(255);
    return copy;
}

// The appearance settings on a copy, then shrunk to the box's visible height. Runs on a task.
std::unique_ptr<HVBitmapState> Prepare(std::unique_ptr<HVBitmapState> state, CursorAppearance look, int limit) {
    look.size = 100;  // the box shows every cursor at its own size
    ApplyCursorAppearance(*state, look);
    const int visible = VisibleHeight(*state);
    if (visible > limit && visible > 0)
        state->Resize(std::max(1, static_cast<int>(int64_t(state->Width()) * limit / visible)),
                      std::max(1, static_cast<int>(int64_t(state->Height()) * limit / visible)));
    state->SetOffset(0, 0);
    state->SetHitMode(HVH_BOX);  // the slot takes the click where its picture is
    if (state->FrameCount() > 1)
        state->SetAnimation(state->FrameCount(), state->FrameDelay(), state->ModeFlags() | HVS_LOOP);
    return state;
}

}  // namespace

InUseBox::InUseBox(HVObj* panel, int x, int lineTop, int width) {
    line_ = CreateTextLabel(panel, x, lineTop, Text(uitext::kThemeInUse), panelstyle::Text(kBodyPoints, kInk));
    ShowName(nullptr);  // the system's pointers until a theme is loaded
    box_ = CreateRectangle(panel, x, Bottom(line_) + Scaled(kGap), width, Scaled(kBoxHeight), kBoxFill, kBoxBorder);
    MakeClickable(box_, kBoxCommand, HVC_ARROW);
    for (int i = 0; i < kSlotCount; ++i) {
        auto* slot = new CTXObj;
        auto* none = new HVBlankState(kNullState);
        none->SetSize(Scaled(kSlotNullSize), Scaled(kSlotNullSize));
        slot->AddState(none);
        MakeClickable(slot, kSlotCommand);
        slot->SetMovable(false);
        slot->SetParent(box_);
        slot->Create();
        slot->Move(SlotHome(i), Scaled(kSlotInset));
        slot->Show();
        slots_[i] = slot;
    }
}

int InUseBox::SlotHome(int slot) const {
    return Scaled(kSlotInset) + Scaled(kSlotStep) * slot;
}

void InUseBox::Show(CTheme* theme) {
    for (int i = 0; i < kSlotCount; ++i) {
        CTXObj* slot = slots_[i];
        slot->ChangeState(kNullState, HVC_FORCE);
        slot->RemoveState(hvstate::kDefault);
        slot->Move(SlotHome(i), Scaled(kSlotInset));
    }
    std::unique_ptr<HVBitmapState> source;
    std::vector<std::future<std::unique_ptr<HVBitmapState>>> tasks;
    std::string roles;
    if (theme) {
        const CursorAppearance look = PreviewAppearance(gSettings);
        const int limit = Scaled(kVisibleHeight);
        for (int role : kRoles) {
            CCursor* cursor = theme->FindCursor(role, 1, 1);
            if (!cursor || !cursor->image) continue;
            auto copy = CursorCopy(*cursor->image);
            if (role == 0) source = CursorCopy(*copy);
            roles += " " + std::to_string(role);
            tasks.push_back(std::async(std::launch::async, [state = std::move(copy), look, limit]() mutable {
                return Prepare(std::move(state), look, limit);
            }));
        }
    }
    std::vector<std::unique_ptr<HVBitmapState>> prepared;
    std::vector<BoxSize> sizes;
    for (auto& task : tasks) {
        prepared.push_back(task.get());
        sizes.push_back({prepared.back()->Width(), prepared.back()->Height()});
    }
    SetOptionsPreviewSource(std::move(source));
    const std::vector<BoxPlace> places = PlaceInUseCursors(sizes, ControlWidth(box_), ControlHeight(box_), gUiScale);
    for (size_t i = 0; i < places.size() && i < static_cast<size_t>(kSlotCount); ++i) {
        CTXObj* slot = slots_[i];
        slot->AddState(prepared[i].release());
        slot->ChangeState(hvstate::kDefault, HVC_FORCE);
        slot->Move(places[i].x, places[i].y);
    }
    ShowName(theme);
    PanelTrace("in-use roles" + roles + " placed " + std::to_string(places.size()));
}

// The name of the theme in use right after the line.
void InUseBox::ShowName(CTheme* theme) {
    delete name_;
    const std::wstring name = theme ? theme->DisplayName() : Text(uitext::kSystemPointers);
    const HVRect line = line_->GetStateRect();
    name_ = CreateTextLabel(line_->Parent(), line.right + Scaled(kNameGap), line.top, name,
                            panelstyle::Text(kBodyPoints, kMutedInk));
}
