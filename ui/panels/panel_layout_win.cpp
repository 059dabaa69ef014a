#include "ui/panels/panel_layout_win.h"

#include <algorithm>

#include "services/translations.h"
#include "graphics/hv_bitmap_state.h"
#include "graphics/hv_text_params.h"
#include "ui/ui_metrics_win.h"

std::wstring Text(int textId) {
    const wchar_t* text = UiText(textId);
    return text ? text : L"";
}

CTXObj* CreatePanelHeading(HVObj* panel, int textId) {
    return CreateTextLabel(panel, Scaled(panelstyle::kMargin), Scaled(panelstyle::kHeadingTop), Text(textId),
                           panelstyle::Text(panelstyle::kHeadingPoints, panelstyle::kHeadingInk));
}

int TextWidth(const std::wstring& text, double points) {
    HVTextParams params;
    params.text = text;
    params.face = kUiFace;
    params.pointSize = ScaledPoints(points);
    return HVBitmapState(L"measure", params).Width();
}

int CaptionButtonWidth(const std::wstring& caption) {
    constexpr int kStandardWidth = 100;
    constexpr int kPadding = 24;
    return std::max(Scaled(kStandardWidth), TextWidth(caption, panelstyle::kSmallPoints) + Scaled(kPadding));
}
