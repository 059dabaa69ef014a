#include "app/single_instance_win.h"

#include <windows.h>

const wchar_t kSingleInstanceMutexName[] = L"MorvantaControlPanelMutex";

bool IsAnotherInstanceRunning() {
    HANDLE existing = OpenMutexW(READ_CONTROL, FALSE, kSingleInstanceMutexName);
    if (!existing) return false;
    CloseHandle(existing);
    return true;
}

void ForwardArgumentText(HWND window, const std::wstring& argumentText) {
    COPYDATASTRUCT data = {};
    data.dwData = 0;
    data.cbData = DWORD((argumentText.size() + 1) * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(argumentText.c_str());
    SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

void ActivateRunningInstance(const std::wstring& argumentText) {
    // Found by class and user data only: no UI text is loaded yet to compare titles with.
    HWND candidate = nullptr;
    while ((candidate = FindWindowExW(nullptr, candidate, L"#32770", nullptr)) != nullptr) {
        if (GetWindowLongPtrW(candidate, GWLP_USERDATA) == 0) continue;
        SetForegroundWindow(candidate);
        if (argumentText.empty()) continue;
        ForwardArgumentText(candidate, argumentText);
        break;
    }
    ExitProcess(0);
}
