#include "tools/halvix_gallery/gallery_bench_win.h"

#include <cstdio>
#include <vector>

#include "graphics/hv_bitmap_state.h"
#include "graphics/hv_window_host_win.h"
#include "graphics/paint_buffer_win.h"
#include "graphics/updater.h"
#include "tools/halvix_gallery/gallery_layout_win.h"
#include "tools/halvix_gallery/gallery_probe_win.h"
#include "ui/controls/ctx_obj_win.h"
#include "ui/ui_metrics_win.h"

namespace {

// Processor time of the calling thread in milliseconds.
double ThreadMs() {
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) return 0;
    auto ms = [](const FILETIME& t) { return ((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0; };
    return ms(kernel) + ms(user);
}

double WallMs() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return now.QuadPart * 1000.0 / frequency.QuadPart;
}

// Lets the window handle what is pending (paints posted by the sweeps), for at most 50 ms so that
// a steady stream of messages cannot keep the measurement from going on.
void Pump() {
    MSG message;
    const ULONGLONG end = GetTickCount64() + 50;
    while (GetTickCount64() < end && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

struct Figures {
    double wallPerRun;
    double cpuPerRun;
};

// Runs the sweep `runs` times, 10 ms apart (the updater skips sweeps closer than 8 ms), timing
// only the sweeps.
Figures TimeSweeps(int runs) {
    double wall = 0, cpu = 0;
    for (int i = 0; i < runs; ++i) {
        Sleep(10);
        Pump();
        const double wall0 = WallMs(), cpu0 = ThreadMs();
        {
            PaintBatch batch;  // as the updater's timer sweeps
            GlobalUpdater().Sweep();
        }
        cpu += ThreadMs() - cpu0;
        wall += WallMs() - wall0;
    }
    return {wall / runs, cpu / runs};
}

Figures TimeRepaints(HVObj* root, int runs) {
    const double wall0 = WallMs(), cpu0 = ThreadMs();
    for (int i = 0; i < runs; ++i) root->Redraw(HVI_NOW);
    return {(WallMs() - wall0) / runs, (ThreadMs() - cpu0) / runs};
}

}  // namespace

void RunGalleryBenchmarks(HWND window, Gallery& gallery, const std::wstring& outPath) {
    FILE* out = _wfopen(outPath.c_str(), L"w");
    if (!out) return;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);

    // 100 spinners in a 10 x 10 grid over the window, on top of everything else.
    std::vector<CTXObj*> spinners;
    for (int i = 0; i < 100; ++i) {
        auto* spinner = new CTXObj;
        spinner->AddState(CreateSpinnerState(hvstate::kDefault, Scaled(32)));
        spinner->SetParent(gallery.Root());
        spinner->Create();
        spinner->Move(Scaled(260) + (i % 10) * Scaled(50), Scaled(40) + (i / 10) * Scaled(50));
        spinner->Show();
        spinners.push_back(spinner);
    }
    Pump();
    const Figures typical = TimeSweeps(300);
    // Every spinner on a new frame at every sweep: the worst case.
    for (CTXObj* spinner : spinners) {
        auto* state = static_cast<HVVisualState*>(spinner->CurrentState());
        state->SetAnimation(8, 10, HVS_LOOP | HVS_FORWARD);
    }
    const Figures busy = TimeSweeps(300);
    for (CTXObj* spinner : spinners) delete spinner;
    Pump();
    TimeRepaints(gallery.Root(), 5);  // warm: the shared bitmap exists
    const Figures repaint = TimeRepaints(gallery.Root(), 200);
    const SIZE buffer = paintbuffer::Size();

    std::fprintf(out, "updater sweep, 100 animated objects (100 ms frames): %.3f ms wall, %.3f ms processor\n",
                 typical.wallPerRun, typical.cpuPerRun);
    std::fprintf(out,
                 "updater sweep, 100 animated objects, every object on a new frame: %.3f ms wall, %.3f ms processor\n",
                 busy.wallPerRun, busy.cpuPerRun);
    std::fprintf(out, "full repaint %d x %d (shared bitmap %ld x %ld): %.3f ms wall, %.3f ms processor\n", Scaled(800),
                 Scaled(600), buffer.cx, buffer.cy, repaint.wallPerRun, repaint.cpuPerRun);
    std::fclose(out);
}
