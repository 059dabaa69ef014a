#pragma once
// Start-up of the Halvix library and its process-wide state: the library name, the instance, the
// optional system functions with their fallbacks, the clock frequency, the text supersampling
// factor and the library lock. Started once, on the thread that will own the library's windows.
#include <windows.h>

#include <cstdint>
#include <string>

// Start-up flags.
constexpr uint32_t HALVIX_NO_LOCK = 0x04;   // create no library lock (the application may place its own)
constexpr uint32_t HALVIX_NO_TIMER = 0x08;  // the application drives the updater itself

using AlphaBlendFunction = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
using GetPhysicalCursorPosFunction = BOOL(WINAPI*)(LPPOINT);

constexpr int kDefaultTextSupersampling = 4;

struct HalvixLibrary {
    std::wstring name = L"Halvix";  // used in window class and mutex names
    HINSTANCE instance = nullptr;
    bool noTimer = false;
    LARGE_INTEGER frequency = {};  // of the performance counter, for the tick
    // Optional functions, null when the system lacks them.
    AlphaBlendFunction alphaBlend = nullptr;
    GetPhysicalCursorPosFunction getPhysicalCursorPos = nullptr;
    int textSupersampling = kDefaultTextSupersampling;  // 1 to 4
    // The lock slot: the library's own mutex, or a handle variable of the application placed here
    // (read through the pointer, so the application closing and clearing it is seen at once).
    HANDLE ownLock = nullptr;
    HANDLE* applicationLock = nullptr;
    DWORD libraryThread = 0;  // recorded when the library creates its lock
    DWORD startThread = 0;    // the thread that started the library: the UI thread
    bool started = false;
};

extern HalvixLibrary gHalvix;

// Starts the library; returns 1. A second call refreshes the name, instance and flags and keeps
// the pool and lock made by the first.
int HalvixStart(HINSTANCE instance, const wchar_t* name, uint32_t flags);

// Makes the library lock the application's handle variable (which the application keeps owning).
void HalvixUseLock(HANDLE* applicationLock);

// The current library lock, or null (then every wait on it succeeds at once).
HANDLE HalvixLock();

// True on the thread that started the library (never before start-up).
bool HalvixOnUiThread();

// Cursor position through GetPhysicalCursorPos where the system has it, else GetCursorPos.
BOOL HalvixGetCursorPos(POINT* point);

// Keeps a supersampling factor of 1 to 4 and turns any other into 3.
int NormalizeTextSupersampling(int factor);
