// HalvixGallery.exe: one adopted dialog showing every kind of control the settings window is
// built from, a slider, a scroll list, wrapped, halo and outline texts and an animated state. It
// is the place to look at the toolkit before any panel exists, and the reference when a panel
// misbehaves. The tests drive it with real X input and read its event log.
//
//   HalvixGallery.exe [--log FILE] [--still] [--bench FILE]
//     --log FILE    write every event to FILE, one line each
//     --still       show the animated state still (for screenshots)
//     --bench FILE  measure the updater sweep and a full repaint, write the figures, and exit
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "app/app_state_win.h"
#include "graphics/halvix_win.h"
#include "graphics/hv_window_host_win.h"
#include "tools/halvix_gallery/gallery_bench_win.h"
#include "tools/halvix_gallery/gallery_layout_win.h"
#include "tools/halvix_gallery/gallery_log_win.h"
#include "ui/controls/control_events_win.h"
#include "ui/controls/ctx_obj_win.h"
#include "ui/controls/scroll_list_win.h"
#include "ui/ui_metrics_win.h"

namespace {

constexpr int kGalleryDialog = 100;

struct Options {
    std::wstring log;
    std::wstring bench;
    bool still = false;
};
Options gOptions;
std::unique_ptr<Gallery> gGallery;

void SizeClientArea(HWND window, int width, int height) {
    RECT rect = {0, 0, width, height};
    AdjustWindowRectEx(&rect, GetWindowLongW(window, GWL_STYLE), FALSE, GetWindowLongW(window, GWL_EXSTYLE));
    SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK GalleryProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            SizeClientArea(window, Scaled(800), Scaled(600));
            SetControlWindow(window);
            gGallery = std::make_unique<Gallery>(window, gOptions.still);
            if (!gOptions.bench.empty()) PostMessageW(window, WM_APP, 0, 0);
            return TRUE;
        case WM_APP:
            RunGalleryBenchmarks(window, *gGallery, gOptions.bench);
            EndDialog(window, 0);
            return TRUE;
        case WM_TIMER:
            if (ScrollList* list = ScrollList::ForTimer(static_cast<UINT>(wParam)))
                list->OnTimer(static_cast<UINT>(wParam));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) EndDialog(window, 0);
            return TRUE;
    }
    return FALSE;
}

Options ParseOptions() {
    Options options;
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; arguments && i < count; ++i) {
        const std::wstring argument = arguments[i];
        if (argument == L"--log" && i + 1 < count)
            options.log = arguments[++i];
        else if (argument == L"--bench" && i + 1 < count)
            options.bench = arguments[++i];
        else if (argument == L"--still")
            options.still = true;
    }
    if (arguments) LocalFree(arguments);
    return options;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    gOptions = ParseOptions();
    OpenGalleryLog(gOptions.log);
    gInstance = instance;
    // Measurements drive the updater themselves, without its timer sweeping in between.
    HalvixStart(instance, L"HalvixGallery", gOptions.bench.empty() ? 0 : HALVIX_NO_TIMER);
    const INT_PTR result = DialogBoxParamW(instance, MAKEINTRESOURCEW(kGalleryDialog), nullptr, GalleryProc, 0);
    gGallery.reset();
    CloseGalleryLog();
    if (result == -1) {
        MessageBoxW(nullptr, L"The gallery window could not be created.", L"Halvix gallery", MB_ICONERROR);
        return 1;
    }
    return 0;
}
