#include "ui/glass_win.h"

#include <windows.h>

#include "services/settings.h"
#include "ui/panels/options_panel_win.h"
#include "ui/window_state_win.h"

namespace {

struct Margins {
    int left, right, top, bottom;
};

using IsCompositionEnabled = HRESULT(WINAPI*)(BOOL*);
using ExtendFrameIntoClientArea = HRESULT(WINAPI*)(HWND, const Margins*);

}  // namespace

void UpdateGlass() {
    gUi.glass = false;
    // Loaded once and kept for the life of the process, like a linked library.
    static HMODULE dwmapi = LoadLibraryW(L"dwmapi.dll");
    if (!dwmapi) return;
    const auto isEnabled = reinterpret_cast<IsCompositionEnabled>(GetProcAddress(dwmapi, "DwmIsCompositionEnabled"));
    const auto extend =
        reinterpret_cast<ExtendFrameIntoClientArea>(GetProcAddress(dwmapi, "DwmExtendFrameIntoClientArea"));
    if (!isEnabled || !GlassCheckBoxExists()) return;
    BOOL enabled = FALSE;
    if (FAILED(isEnabled(&enabled))) enabled = FALSE;
    SetGlassCheckBoxVisible(enabled != FALSE);
    if (!enabled) return;
    gUi.glass = true;
    if (!extend) return;
    if (gSettings.uiBlur == 1) {
        const Margins sheet = {0, 0, 0, -1};  // the whole client area
        if (SUCCEEDED(extend(gUi.window, &sheet))) gUi.frameExtended = true;
    } else if (gUi.frameExtended) {
        // Glass was turned off: the frame goes back to its own edges at once, not at the next start.
        const Margins none = {0, 0, 0, 0};
        if (SUCCEEDED(extend(gUi.window, &none))) gUi.frameExtended = false;
    }
}
