#include "engine/cursor_build.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <system_error>
#include <thread>

#include "base/text_encoding.h"
#include "engine/system_cursors.h"
#include "graphics/hv_bitmap.h"
#include "theme/cursor_render.h"
#include "theme/windows_cursor_writer.h"

namespace {

// A cursor file holds at most this many pixels on a side; a larger drawing is refused unmade.
constexpr int64_t kMaxFileSide = 256;

bool HasImage(const CCursor* cursor) {
    return cursor && !cursor->standard && cursor->image && cursor->image->Bitmap() &&
           cursor->image->Bitmap()->IsValid();
}

}  // namespace

std::vector<CursorSource> ChooseCursorSources(CTheme& theme) {
    std::vector<CursorSource> sources;
    for (int i = 0; i < kSystemCursorCount; ++i) {
        const SystemCursor& system = SystemCursorAt(i);
        if (system.role < 0) continue;
        for (const bool held : {false, true}) {
            const CCursor* cursor = theme.FindCursor(uint32_t(system.role), held ? 2 : 1, 1);
            if (HasImage(cursor)) sources.push_back({i, held, cursor});
        }
    }
    return sources;
}

bool BuildCursor(const CursorSource& source, const CursorAppearance& look, BuiltCursor& out, std::string& reason) {
    out = BuiltCursor();
    out.index = source.index;
    out.held = source.held;
    if (!source.cursor || !source.cursor->image) {
        reason = "no cursor";
        return false;
    }
    // A stranger's theme may claim more frames than its strip has pixels, or frames no cursor file
    // holds: refused before anything is drawn, since drawing them would take long for nothing.
    const HVBitmapState& image = *source.cursor->image;
    if (image.Width() < 1 || image.Height() < 1) {
        reason = "its frames are narrower than a pixel";
        return false;
    }
    const int64_t width = int64_t(image.Width()) * look.size / 100, height = int64_t(image.Height()) * look.size / 100;
    if (width > kMaxFileSide || height > kMaxFileSide) {
        reason = "drawn " + std::to_string(width) + " x " + std::to_string(height) + " pixels, too large for a cursor";
        return false;
    }
    RenderedCursor rendered;
    if (!RenderCursor(*source.cursor, look, rendered, reason)) return false;
    if (!EncodeWindowsCursor(rendered, out.bytes, reason)) return false;
    const char* extension = WindowsCursorExtension(rendered);
    out.animated = std::string(extension) == ".ani";
    out.fileName = CursorFileName(SystemCursorAt(source.index), source.held, extension);
    out.width = rendered.width;
    out.height = rendered.height;
    out.hotSpotX = rendered.hotSpotX;
    out.hotSpotY = rendered.hotSpotY;
    out.frames = int(rendered.frames.size());
    return true;
}

std::vector<BuiltCursor> BuildCursors(const std::vector<CursorSource>& sources, const CursorAppearance& look,
                                      std::vector<std::string>& problems, const CursorFinish& finish) {
    struct Job {
        BuiltCursor built;
        std::string reason;
        bool ok = false;
    };
    std::vector<Job> jobs(sources.size());
    auto run = [&](size_t i) {
        Job& job = jobs[i];
        // A worker's exception would end the process: it becomes the cursor's problem instead.
        try {
            job.ok = BuildCursor(sources[i], look, job.built, job.reason) && (!finish || finish(job.built, job.reason));
        } catch (const std::exception& error) {
            job.ok = false;
            job.reason = error.what();
        }
    };
    // A bitmap that borrows a pooled device context stays on this thread, as rescaling keeps it.
    auto onThisThread = [&](size_t i) {
        const CCursor* cursor = sources[i].cursor;
        const HVBitmap* bitmap = cursor && cursor->image ? cursor->image->Bitmap() : nullptr;
        return bitmap && bitmap->UsesSharedDC();
    };
    // As many workers as the machine has cores (this thread is one), each taking the next source.
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i; (i = next++) < sources.size();)
            if (!onThisThread(i)) run(i);
    };
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> workers;
    for (size_t k = 1; k < std::min(cores, sources.size()); ++k) {
        try {
            workers.emplace_back(work);
        } catch (const std::system_error&) {
            break;  // no thread to be had: the others and this one do the work
        }
    }
    work();
    for (std::thread& worker : workers) worker.join();
    for (size_t i = 0; i < sources.size(); ++i)
        if (onThisThread(i)) run(i);

    std::vector<BuiltCursor> built;
    for (size_t i = 0; i < jobs.size(); ++i) {
        if (jobs[i].ok) {
            built.push_back(std::move(jobs[i].built));
            continue;
        }
        const SystemCursor& system = SystemCursorAt(sources[i].index);
        problems.push_back(text::Utf16ToUtf8(system.name) + (sources[i].held ? " (held)" : "") + ": " + jobs[i].reason);
    }
    return built;
}
