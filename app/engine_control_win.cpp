#include "app/engine_control_win.h"

#include <shellapi.h>

#include "services/folders_win.h"
#include "services/registry_win.h"
#include "services/settings_win.h"

namespace {

// The user's Run key, opened (never created) with full access; null when it is missing.
HKEY OpenRunKey() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, KEY_ALL_ACCESS | kRegistryView, &key) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

void SetAutostart(bool on) {
    RegistryKey run(OpenRunKey());
    if (!run) return;
    RegDeleteValueW(run.Get(), kOldAutostartValue);
    if (on) {
        const std::wstring quoted = L"\"" + EnginePath() + L"\"";
        RegSetValueExW(run.Get(), kAutostartValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(quoted.c_str()),
                       static_cast<DWORD>((quoted.size() + 1) * sizeof(wchar_t)));
    } else {
        RegDeleteValueW(run.Get(), kAutostartValue);
    }
}

void DeleteCurrentThemeFile() {
    std::wstring path;
    if (GetCurrentThemePath(path)) DeleteFileW(path.c_str());
}

void StartEngine(HWND owner, const wchar_t* parameters) {
    const std::wstring engine = EnginePath();
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_DOENVSUBST;
    info.hwnd = owner;
    info.lpFile = engine.c_str();
    info.lpParameters = parameters;
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExW(&info);  // what a failed start shows is the shell's own
}

}  // namespace

HWND FindEngineWindow() {
    return FindWindowW(kEngineWindowClass, nullptr);
}

std::wstring EnginePath() {
    std::wstring folder;
    GetProgramFolder(folder);
    return folder + L"\\" + kEngineProgram;
}

void ApplyToEngine(HWND owner, bool themeChosen, const std::function<void()>& prepare) {
    if (prepare) prepare();
    SaveSettings();
    if (HWND engine = FindEngineWindow()) PostMessageW(engine, kEngineSettingsChanged, 0, 0);
    if (!themeChosen) DeleteCurrentThemeFile();
    SetAutostart(themeChosen);
    if (HWND engine = FindEngineWindow()) {
        SendMessageW(engine, themeChosen ? kEngineReloadTheme : kEngineRestoreCursors, 0, 0);
        return;
    }
    StartEngine(owner, themeChosen ? nullptr : kRestoreCursorsArgument);
}

void ResetEngine() {
    DeleteCurrentThemeFile();
    SetAutostart(false);
    if (HWND engine = FindEngineWindow()) {
        SendMessageW(engine, kEngineReloadTheme, 0, 0);
        return;
    }
    StartEngine(nullptr, nullptr);
}

void TellEngineTrailPreview(bool entering) {
    if (HWND engine = FindEngineWindow()) SendMessageW(engine, kEngineTrailPreview, entering ? 1 : 0, 0);
}
