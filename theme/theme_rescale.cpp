// CTheme::Rescale: completes the cursor set of a display scale by resizing the best stored cursor
// of another scale for every identity (role, event, variant) the target scale lacks.
#include <climits>
#include <cmath>
#include <future>
#include <map>
#include <system_error>
#include <tuple>
#include <vector>

#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "theme/theme.h"

namespace {

using Identity = std::tuple<uint32_t, uint32_t, uint32_t>;  // role, event, variant

Identity IdentityOf(const CCursor& cursor) {
    return {cursor.role, cursor.event, cursor.variant};
}

// value cut toward zero, held inside the int range.
int TruncToInt(double value) {
    if (!(value > double(INT_MIN))) return value != value ? 0 : INT_MIN;  // also NaN
    if (value >= double(INT_MAX)) return INT_MAX;
    return int(value);
}

// Whether a stored cursor at scale s should replace the candidate at scale k for target t: a source
// at or above the target is preferred to one below it (shrinking keeps detail), otherwise the
// nearer one wins; on equal distance the one met first stays.
bool Prefer(double s, double k, double t) {
    if (s < t && k > t) return false;
    return (s > t && k < t) || std::fabs(s - t) < std::fabs(k - t);
}

// Resizes a copy drawn for sourceScale so that it suits target, and marks it derived.
void RescaleCopy(CCursor& cursor, double sourceScale, double target) {
    const double f = target / sourceScale;
    if (HVBitmapState* image = cursor.image.get()) {
        const HVBitmap* bitmap = image->Bitmap();
        if (bitmap && bitmap->IsValid()) {
            const int frames = image->FrameCount() > 0 ? image->FrameCount() : 1;
            image->Resize(TruncToInt(bitmap->Width() * f / frames), TruncToInt(bitmap->Height() * f), false);
        }
        image->SetOffset(TruncToInt(image->OffsetX() * f), TruncToInt(image->OffsetY() * f));
    }
    // Scaled as the signed values they are: a hot spot left of or above the image stays there.
    cursor.hotSpotX = TruncToInt(cursor.hotSpotX * f);
    cursor.hotSpotY = TruncToInt(cursor.hotSpotY * f);
    cursor.stored = 0;
    cursor.scale = target;
}

}  // namespace

void CTheme::Rescale(double target) {
    if (currentScale == target) return;

    // The best stored source per identity, scales ascending, vectors in order.
    struct Candidate {
        const CCursor* cursor;
        double scale;
    };
    std::map<Identity, Candidate> candidates;
    for (const auto& [scale, vector] : cursors) {
        for (const CCursor& cursor : vector) {
            if (!cursor.stored) continue;
            auto [found, inserted] = candidates.try_emplace(IdentityOf(cursor), Candidate{&cursor, scale});
            if (!inserted && Prefer(scale, found->second.scale, target)) found->second = {&cursor, scale};
        }
    }

    // Identities the target scale already has are used as they are, derived ones included.
    std::vector<CCursor>& targetCursors = cursors[target];
    for (const CCursor& cursor : targetCursors) candidates.erase(IdentityOf(cursor));

    // Copies, ordered by identity; each is resized by its own task. A bitmap with its own device
    // context may be resized on any thread; one that borrows from the shared pool must stay on
    // this thread, so its task runs here when it is awaited.
    std::map<Identity, CCursor> working;
    std::vector<std::future<void>> tasks;
    for (const auto& [identity, candidate] : candidates) {
        CCursor& copy = working.emplace(identity, *candidate.cursor).first->second;
        const HVBitmap* bitmap = copy.image ? copy.image->Bitmap() : nullptr;
        const double sourceScale = candidate.scale;
        auto task = [&copy, sourceScale, target] { RescaleCopy(copy, sourceScale, target); };
        if (bitmap && bitmap->UsesSharedDC()) {
            tasks.push_back(std::async(std::launch::deferred, task));
            continue;
        }
        try {
            tasks.push_back(std::async(std::launch::async, task));
        } catch (const std::system_error&) {
            tasks.push_back(std::async(std::launch::deferred, task));  // no thread to be had: do it here
        }
    }
    for (std::future<void>& task : tasks) task.get();

    // The target's own cursors join the set (the first of duplicates stays), then refill it.
    for (CCursor& cursor : targetCursors) working.try_emplace(IdentityOf(cursor), std::move(cursor));
    targetCursors.clear();
    for (auto& [identity, cursor] : working) targetCursors.push_back(std::move(cursor));
    currentScale = target;
}
