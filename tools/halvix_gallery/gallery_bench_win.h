#pragma once
// The gallery's benchmark mode: the processor time of one updater sweep with 100 animated objects
// on screen, and of a full repaint of the 800 x 600 window, written to a file as figures.
#include <windows.h>

#include <string>

class Gallery;

void RunGalleryBenchmarks(HWND window, Gallery& gallery, const std::wstring& outPath);
