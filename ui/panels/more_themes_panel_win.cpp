#include "ui/panels/more_themes_panel_win.h"

#include "services/ui_text_ids.h"
#include "resources/artwork_ids.h"
#include "ui/panel_handler_win.h"
#include "ui/panels/panel_layout_win.h"
#include "ui/ui_metrics_win.h"
#include "ui/web_links_win.h"
#include "ui/window_state_win.h"

namespace {

constexpr int kGalleryCommand = 36;

class MoreThemesHandler : public PanelHandler {
public:
    bool OnCommand(CTXObj*, int commandId) override {
        if (commandId != kGalleryCommand) return false;
        OpenWithShell(weblinks::kThemeGallery);
        return true;
    }
};
MoreThemesHandler gMoreThemes;

}  // namespace

void BuildMoreThemesPanel() {
    using namespace panelstyle;
    CTXObj* panel = PanelObject(Panel::MoreThemes);
    const int width = ControlWidth(panel);
    CTXObj* banner = CreateSizedImage(panel, 0, 0, width, Scaled(130) * width / Scaled(551), IDP_BANNER);
    int y = ControlHeight(banner);
    CTXObj* picture = CreateSizedImage(panel, 0, y, width, Scaled(240) * width / Scaled(551), IDP_GALLERY);
    MakeClickable(picture, kGalleryCommand);
    y += ControlHeight(picture) + Scaled(4);
    CTXObj* link = CreateLinkButton(panel, Scaled(kMargin), y, kGalleryCommand, weblinks::kThemeGalleryName,
                                    Text(kSmallPoints, kLinkBlue));
    y += ControlHeight(link) + Scaled(10);
    const int sideWidth = Scaled(150);
    const int textWidth = width - Scaled(10) - sideWidth - 2 * Scaled(kMargin);
    CTXObj* first = CreateAlignedTextLabel(panel, Scaled(kMargin), y, Text(uitext::kMoreThemesText),
                                           Text(kBodyPoints, kInk), textWidth);
    CreateAlignedTextLabel(panel, Scaled(kMargin), y + ControlHeight(first) + Scaled(10),
                           Text(uitext::kMoreThemesHowTo), Text(kBodyPoints, kInk), textWidth);
    CreateSizedImage(panel, width - sideWidth - Scaled(kMargin), y, sideWidth, Scaled(190), IDP_SIDE_PICTURE);
    RegisterPanelHandler(&gMoreThemes);
}
