#include "ui/web_links_win.h"

#include <windows.h>
#include <shellapi.h>

namespace {

void Open(const wchar_t* target, const wchar_t* parameters, ULONG mask) {
    if (!target || !*target) return;
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = mask;
    info.lpFile = target;
    info.lpParameters = parameters;
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExW(&info);
}

}  // namespace

void OpenWithShell(const wchar_t* target, const wchar_t* parameters) {
    Open(target, parameters, SEE_MASK_DOENVSUBST);
}

void OpenWithShellAsIs(const wchar_t* target) {
    Open(target, nullptr, 0);
}
