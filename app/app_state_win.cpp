#include "app/app_state_win.h"

HINSTANCE gInstance = nullptr;
HANDLE gSingleInstanceMutex = nullptr;
HWND gMainWindow = nullptr;
double gUiScale = 1.0;
