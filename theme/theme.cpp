#include "theme/theme.h"

#include "base/path_text.h"
#include "graphics/hv_bitmap_state.h"

namespace {

std::unique_ptr<HVBitmapState> CopyImage(const std::unique_ptr<HVBitmapState>& image) {
    if (!image) return nullptr;
    return std::make_unique<HVBitmapState>(image->Name(), *image, true);
}

}  // namespace

CAnimation::CAnimation() = default;
CAnimation::~CAnimation() = default;
CAnimation::CAnimation(CAnimation&&) noexcept = default;
CAnimation& CAnimation::operator=(CAnimation&&) noexcept = default;

CAnimation::CAnimation(const CAnimation& other)
    : frames(other.frames),
      interval(other.interval),
      style(other.style),
      reverse(other.reverse),
      loop(other.loop),
      hotSpotX(other.hotSpotX),
      hotSpotY(other.hotSpotY),
      reserved{other.reserved[0], other.reserved[1]},
      name(other.name),
      frameScript(other.frameScript),
      image(CopyImage(other.image)) {}

CAnimation& CAnimation::operator=(const CAnimation& other) {
    if (this != &other) {
        CAnimation copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CCursor* CTheme::FindCursor(uint32_t role, uint32_t event, uint32_t variant) {
    for (CCursor& cursor : cursors[currentScale]) {
        if (cursor.role == role && cursor.event == event && cursor.variant == variant) return &cursor;
    }
    return nullptr;
}

void CTheme::AddCursor(const CCursor& cursor) {
    cursors[cursor.scale].push_back(cursor);
}

void CTheme::AddCursor(CCursor&& cursor) {
    double scale = cursor.scale;
    cursors[scale].push_back(std::move(cursor));
}

CClickEffect* CTheme::ClickEffect(int key) {
    auto found = clickEffects.find(key);
    return found == clickEffects.end() ? nullptr : &found->second;
}

CClickEffect* CTheme::FirstClickEffect() {
    return clickEffects.empty() ? nullptr : &clickEffects.begin()->second;
}

CTrail* CTheme::Trail(int key) {
    auto found = trails.find(key);
    return found == trails.end() ? nullptr : &found->second;
}

CTrail* CTheme::FirstTrail() {
    return trails.empty() ? nullptr : &trails.begin()->second;
}

std::vector<uint8_t>* CTheme::Sound(int key) {
    auto found = sounds.find(key);
    return found == sounds.end() ? nullptr : &found->second;
}

void CTheme::SetClickEffect(int key, CClickEffect entry) {
    entry.key = key;
    clickEffects.insert_or_assign(key, std::move(entry));
}

void CTheme::SetSound(int key, std::vector<uint8_t> bytes) {
    sounds.insert_or_assign(key, std::move(bytes));
}

void CTheme::RemoveClickEffect(int key) {
    clickEffects.erase(key);
}

void CTheme::RemoveSound(int key) {
    sounds.erase(key);
}

std::wstring CTheme::DisplayName() const {
    if (name && !name->empty()) return *name;
    return pathtext::Stem(path);
}

namespace {

void SetFlag(int& flags, int bit, bool on) {
    flags = on ? (flags | bit) : (flags & ~bit);
}

template <typename Map>
void TakePart(Map& mine, Map& theirs, int& myFlags, int& theirFlags, int bit) {
    mine = std::move(theirs);
    theirs.clear();
    SetFlag(theirFlags, bit, false);
    SetFlag(myFlags, bit, !mine.empty());
}

}  // namespace

void CTheme::TakeCursorsFrom(CTheme& other) {
    if (&other == this) return;
    cursors = std::move(other.cursors);
    other.cursors.clear();
    currentScale = other.currentScale;
    other.currentScale = 1.0;
    SetFlag(other.contentFlags, kThemeHasCursors, false);
    auto current = cursors.find(currentScale);
    SetFlag(contentFlags, kThemeHasCursors, current != cursors.end() && !current->second.empty());
}

void CTheme::TakeClickEffectsFrom(CTheme& other) {
    if (&other == this) return;
    TakePart(clickEffects, other.clickEffects, contentFlags, other.contentFlags, kThemeHasClickEffects);
}

void CTheme::TakeTrailsFrom(CTheme& other) {
    if (&other == this) return;
    TakePart(trails, other.trails, contentFlags, other.contentFlags, kThemeHasTrails);
}

void CTheme::TakeSoundsFrom(CTheme& other) {
    if (&other == this) return;
    TakePart(sounds, other.sounds, contentFlags, other.contentFlags, kThemeHasSounds);
}

void CTheme::ClearClickEffects() {
    clickEffects.clear();
    SetFlag(contentFlags, kThemeHasClickEffects, false);
}

void CTheme::ClearTrails() {
    trails.clear();
    SetFlag(contentFlags, kThemeHasTrails, false);
}

void CTheme::ClearSounds() {
    sounds.clear();
    SetFlag(contentFlags, kThemeHasSounds, false);
}

void CTheme::Reset() {
    cursors.clear();
    sounds.clear();
    clickEffects.clear();
    trails.clear();
    contentFlags = 0;
    currentScale = 1.0;
}
