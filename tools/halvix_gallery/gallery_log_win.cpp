#include "tools/halvix_gallery/gallery_log_win.h"

#include <windows.h>

#include <cstdio>

namespace {

FILE* gLog = nullptr;

}  // namespace

void OpenGalleryLog(const std::wstring& path) {
    CloseGalleryLog();
    if (!path.empty()) gLog = _wfopen(path.c_str(), L"wb");
}

void CloseGalleryLog() {
    if (gLog) std::fclose(gLog);
    gLog = nullptr;
}

void GalleryLog(const std::string& line) {
    if (!gLog) return;
    std::fputs(line.c_str(), gLog);
    std::fputc('\n', gLog);
    std::fflush(gLog);
}
