#include "graphics/hv_trail.h"

#include <vector>

#include "graphics/hv_bitmap_state.h"

namespace {

TrailEndHandler gEndHandler = nullptr;

}  // namespace

CHVTrail::CHVTrail() : HVObj(HVK_CHILD) {}

CHVTrail::~CHVTrail() = default;

void CHVTrail::OnStateChanged(const std::wstring& name, uint32_t flags) {
    if (gEndHandler) gEndHandler(this);
    HVObj::OnStateChanged(name, flags);
}

CHVTrail* SpawnTrailSprite(HVObj* parent, const HVBitmapState& image, int x, int y) {
    if (parent) {
        // Children are kept in the order they were added: the first sprites found are the oldest.
        std::vector<CHVTrail*> sprites;
        for (HVObj* child : parent->Children())
            if (auto* sprite = dynamic_cast<CHVTrail*>(child)) sprites.push_back(sprite);
        for (size_t i = 0; i + kMaxLiveTrailSprites <= sprites.size(); ++i) delete sprites[i];
    }
    auto* sprite = new CHVTrail;
    auto* state = new HVBitmapState(image.Name(), image, true);
    // A sprite under the pointer must not take the hover from the area it was dropped on, or every
    // sprite would end the hover there and start it again.
    state->SetHitMode(HVH_NEVER);
    sprite->AddState(state);
    sprite->SetMovable(false);
    sprite->SetParent(parent);
    sprite->Move(x, y);
    sprite->Create();
    sprite->Show();
    return sprite;
}

void SetTrailEndHandler(TrailEndHandler handler) {
    gEndHandler = handler;
}

bool TrailSpawnClock::TrySpawn(uint64_t now) {
    if (rate_ <= 0) return false;
    // A clock that went backwards (another source) counts as no time passed.
    if (hasPrevious_ && (now <= previous_ || now - previous_ <= static_cast<uint64_t>(Interval()))) return false;
    hasPrevious_ = true;
    previous_ = now;
    return true;
}
