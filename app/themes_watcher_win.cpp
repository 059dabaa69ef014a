#include "app/themes_watcher_win.h"

#include <windows.h>

#include <string>

#include "app/app_state_win.h"
#include "services/folders_win.h"

namespace {

DWORD gWatcherThreadId = 0;

DWORD WINAPI WatchThemesFolder(void*) {
    std::wstring folder;
    if (!GetThemesFolder(folder)) return 0;
    HANDLE change = FindFirstChangeNotificationW(folder.c_str(), FALSE,
                                                 FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE);
    // A folder that cannot be watched ends the thread quietly rather than spinning on a failed wait.
    if (change == INVALID_HANDLE_VALUE) return 0;
    for (;;) {
        if (WaitForSingleObject(change, INFINITE) != WAIT_OBJECT_0) break;
        // Until the main window exists these calls address no window and cause no refresh.
        KillTimer(gMainWindow, kThemesChangedTimer);
        SetTimer(gMainWindow, kThemesChangedTimer, 1000, nullptr);
        if (!FindNextChangeNotification(change)) break;
    }
    FindCloseChangeNotification(change);
    return 0;
}

}  // namespace

void StartThemesWatcher() {
    if (gWatcherThreadId != 0) return;
    HANDLE thread = CreateThread(nullptr, 0, WatchThemesFolder, nullptr, 0, &gWatcherThreadId);
    if (thread) CloseHandle(thread);
}
