#include "ui/panels/options_preview_win.h"

#include <memory>

#include "graphics/cursor_appearance.h"
#include "graphics/hv_bitmap_state.h"
#include "ui/controls/control_factory_win.h"
#include "ui/panels/options_panel_win.h"
#include "ui/panels/options_settings_win.h"

namespace {

constexpr wchar_t kModState[] = L"mod";
// The source is kept as a state of the preview object that is never shown: it goes with the
// object tree when the window closes, while the library's updater still exists.
constexpr wchar_t kSourceState[] = L"preview source";
// A light wash framed by the hairline of the page heads.
constexpr uint32_t kPreviewFill = 0xF8F5F3;
constexpr uint32_t kPreviewBorder = 0xE9E2DD;

struct Preview {
    CTXObj* area = nullptr;    // inside the box's border: the preview never paints over it
    CTXObj* object = nullptr;  // shows "mod"
};
Preview gPreview;

HVBitmapState* Source() {
    return gPreview.object ? dynamic_cast<HVBitmapState*>(gPreview.object->FindState(kSourceState)) : nullptr;
}

}  // namespace

void BuildOptionsPreview(HVObj* panel, int x, int y, int width, int height) {
    gPreview = Preview{};
    CTXObj* box = CreateRectangle(panel, x, y, width, height, kPreviewFill, kPreviewBorder);
    gPreview.area = CreateArea(box, 1, 1, width - 2, height - 2);
    auto* object = new CTXObj;
    object->SetMovable(false);
    object->SetParent(gPreview.area);
    object->Create();
    object->Show();
    gPreview.object = object;
}

CTXObj* OptionsPreviewObject() {
    return gPreview.object;
}

void SetOptionsPreviewSource(std::unique_ptr<HVBitmapState> source) {
    if (!gPreview.object) return;  // no panel yet: nothing to show it in
    gPreview.object->RemoveState(kSourceState);
    if (source) {
        source->SetName(kSourceState);
        gPreview.object->AddState(source.release());
    } else {
        // Without a source (the system's own pointers) the old theme's arrow must not linger.
        gPreview.object->RemoveState(kModState);
    }
}

void RefreshOptionsPreview() {
    CTXObj* object = gPreview.object;
    HVBitmapState* source = Source();
    if (!object || !source) {
        if (gPreview.area) gPreview.area->Redraw(HVI_LATER);  // an emptied preview
        return;
    }
    object->RemoveState(kModState);
    auto* mod = new HVBitmapState(kModState, *source, true);
    ApplyCursorAppearance(*mod, PreviewAppearance(gSettings));
    mod->SetOffset(0, 0);
    mod->SetHitMode(HVH_NEVER);
    object->AddState(mod);
    object->ChangeState(kModState, HVC_FORCE);
    int x = 0, y = 0;
    CentreVisiblePart(*mod, ControlWidth(gPreview.area), ControlHeight(gPreview.area), &x, &y);
    object->Move(x, y);
}
