// A stand-in for the desktop window manager's library, used only by the tests and never shipped:
// dwmapi.dll that reports desktop composition as on (Wine's own reports it off) and writes down
// each frame extension asked of it, so that a test can see the glass effect switched on.
//
// The log is dwm.log beside the library, one line per call, appended:
//   extend <left> <right> <top> <bottom>
#include <windows.h>

#include <cstdio>

namespace {

struct Margins {
    int left, right, top, bottom;
};

HMODULE gModule = nullptr;

void Log(const char* line) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(gModule, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    wchar_t* slash = wcsrchr(path, L'\\');
    if (!slash || slash - path + 9 >= MAX_PATH) return;
    wcscpy(slash + 1, L"dwm.log");
    FILE* file = _wfopen(path, L"ab");
    if (!file) return;
    std::fputs(line, file);
    std::fputc('\n', file);
    std::fclose(file);
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) gModule = instance;
    return TRUE;
}

__declspec(dllexport) HRESULT WINAPI DwmIsCompositionEnabled(BOOL* enabled) {
    if (enabled) *enabled = TRUE;
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI DwmExtendFrameIntoClientArea(HWND, const Margins* margins) {
    if (!margins) return E_INVALIDARG;
    char line[96];
    std::snprintf(line, sizeof line, "extend %d %d %d %d", margins->left, margins->right, margins->top,
                  margins->bottom);
    Log(line);
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI DwmEnableBlurBehindWindow(HWND, const void*) {
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI DwmSetWindowAttribute(HWND, DWORD, LPCVOID, DWORD) {
    return S_OK;
}

}  // extern "C"
