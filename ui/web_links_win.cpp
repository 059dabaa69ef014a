#include "ui/web_links_win.h"

#include <windows.h>
#include <shellapi.h>

void OpenWithShell(const wchar_t* target, const wchar_t* parameters) {
    if (!target || !*target) return;
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_DOENVSUBST;
    info.lpFile = target;
    info.lpParameters = parameters;
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExW(&info);
}
