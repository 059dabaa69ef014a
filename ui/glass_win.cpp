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
    if (gSettings.uiBlur == 1 && extend) {
        const Margins margins = {0, 0, 0, -1};
        extend(gUi.window, &margins);
    }
}
