#include "ui/controls/artwork_win.h"

#include <map>
#include <memory>

#include "graphics/hv_bitmap.h"

namespace {

struct Release {
    void operator()(HVBitmap* bitmap) const {
        if (bitmap) bitmap->Release();
    }
};

std::map<int, std::unique_ptr<HVBitmap, Release>>& Cache() {
    static std::map<int, std::unique_ptr<HVBitmap, Release>> cache;
    return cache;
}

constexpr uint32_t kArtworkFlags = HVB_ALPHA | HVB_SHAREDDC;

}  // namespace

HVBitmap* LoadArtwork(int resourceId) {
    auto& cache = Cache();
    auto found = cache.find(resourceId);
    if (found == cache.end()) {
        HBITMAP__* section = HVBitmap::LoadPngResource(resourceId);  // throws when missing
        HVBitmap* original = section ? new HVBitmap(section, kArtworkFlags) : new HVBitmap(1, 1, kArtworkFlags);
        original->AddRef();
        found = cache.emplace(resourceId, std::unique_ptr<HVBitmap, Release>(original)).first;
    }
    return new HVBitmap(*found->second);
}

void ClearArtworkCache() {
    Cache().clear();
}
