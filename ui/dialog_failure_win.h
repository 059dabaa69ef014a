#pragma once
#include <windows.h>

// Why a dialog template of the module cannot be created, for the times the system's dialog
// functions fail without setting the last error (Wine's do when a control cannot be created):
// ERROR_RESOURCE_NAME_NOT_FOUND when the module has no such template, ERROR_INVALID_DATA when it
// cannot be parsed, else the error the system gives for creating a window of the first window
// class the template names that is not registered (a control library that did not load); 0 when
// nothing is found wrong.
DWORD DialogCreationError(HINSTANCE instance, int templateId);
