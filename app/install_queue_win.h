#pragma once
#include <string>
#include <vector>

#include <windows.h>

#include "app/install_converter.h"

// Hands one command-line or forwarded argument to the installation queue. The first call in the
// process fixes the owner window of every installation summary. Arguments that do not name a
// theme file are ignored.
void QueueThemeFile(const std::wstring& argument, HWND window);

// The conversions the queue runs (the .inf of a Windows cursor scheme); files they take are queued
// too. Call before the first QueueThemeFile.
void SetInstallConverters(std::vector<InstallConverter> converters);

// Waits until the installations queued so far are done (a summary still showing has been
// dismissed) and the worker's thread has ended. Called before the process ends: ending it with the
// worker in the middle of a batch would leave a half-written file, and with its thread still on
// its way out can hang the exit.
void FinishThemeInstallations();
