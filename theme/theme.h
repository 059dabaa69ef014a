#pragma once
// CTheme: one theme file in memory. A file carries any mix of animated cursors (per pointer role
// and display scale), click effects and sounds per mouse event, and up to three trails. The theme
// owns all of it; each animation owns its image state, which holds a reference on its bitmap.
// Copying a cursor, effect or trail copies its image state and bitmap, so copies can be resized
// and recoloured independently.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graphics/hv_bitmap_state.h"

// Content flags of a theme (and of its file header).
constexpr int kThemeHasCursors = 1;
constexpr int kThemeHasClickEffects = 2;
constexpr int kThemeHasTrails = 4;
constexpr int kThemeHasSounds = 8;

constexpr int kDefaultTrailRate = 20;  // trail elements per second

// The animation part shared by cursors, click effects and trails.
struct CAnimation {
    int frames = 0;    // frames side by side in the image strip; 1 or less is a still image
    int interval = 0;  // milliseconds per frame
    int style = 0;     // the "animation style" switch, handed to the image state as HVS_STYLE
    int reverse = 0;   // play from the last frame to the first
    int loop = 0;      // start over after the last frame (cursors only; never given to effects or trails)
    int hotSpotX = 0;  // the pointer's hot spot within one frame
    int hotSpotY = 0;
    int reserved[2] = {0, 0};
    std::wstring name;         // section name of a cursor imported from the earlier format, else empty
    std::wstring frameScript;  // empty: plain frame order
    std::unique_ptr<HVBitmapState> image;

    CAnimation();
    CAnimation(const CAnimation& other);
    CAnimation& operator=(const CAnimation& other);
    CAnimation(CAnimation&&) noexcept;
    CAnimation& operator=(CAnimation&&) noexcept;
    ~CAnimation();
};

struct CCursor : CAnimation {
    uint32_t role = 0;     // pointer role 0..19
    uint32_t event = 1;    // 1 normal, 2 while a mouse button is held; other values kept as read
    uint32_t variant = 1;  // always 1
    int standard = 0;      // nonzero: the role keeps the system pointer and has no image of its own
    double scale = 1.0;    // display scale the image was made for
    uint8_t stored = 0;    // 1 when read from a file; 0 when derived by rescaling (never saved)
};

struct CClickEffect : CAnimation {
    int key = 0;  // mouse event 0..8
};

struct CTrail : CAnimation {
    int key = 0;                   // 0..2
    int rate = kDefaultTrailRate;  // trail elements per second
};

class CTheme {
public:
    std::wstring path;  // the file the theme was loaded from
    // Text slots 1 to 6; absent ones are empty optionals. After a load the name is never empty.
    std::optional<std::wstring> name;
    std::optional<std::wstring> author;
    std::optional<std::wstring> version;
    std::optional<std::wstring> email;
    std::optional<std::wstring> website;
    std::optional<std::wstring> description;
    int contentFlags = 0;
    std::wstring sourcePath;  // the path of the last load request
    double currentScale = 1.0;
    std::map<double, std::vector<CCursor>> cursors;  // per display scale, in file order
    std::map<int, std::vector<uint8_t>> sounds;      // a whole WAV file per mouse event
    std::map<int, CClickEffect> clickEffects;
    std::map<int, CTrail> trails;
    int unsupportedMessageShown = 0;
    uint8_t optionLock = 0;

    // The first cursor of the current scale with that role, event and variant; null when none.
    // Leaves an empty vector for the current scale behind when there was none.
    CCursor* FindCursor(uint32_t role, uint32_t event, uint32_t variant);
    // Appends to the vector of the cursor's own scale.
    void AddCursor(const CCursor& cursor);
    void AddCursor(CCursor&& cursor);

    CClickEffect* ClickEffect(int key);
    CClickEffect* FirstClickEffect();  // lowest key
    CTrail* Trail(int key);
    CTrail* FirstTrail();  // lowest key
    std::vector<uint8_t>* Sound(int key);
    // These four leave the content flags alone.
    void SetClickEffect(int key, CClickEffect entry);
    void SetSound(int key, std::vector<uint8_t> bytes);
    void RemoveClickEffect(int key);
    void RemoveSound(int key);

    // The name when it is non-empty, else the file name of the path without extension.
    std::wstring DisplayName() const;

    // Each take drops this theme's part, moves the other theme's part here (leaving it empty, its
    // content bit cleared) and sets this theme's content bit from whether the moved part has
    // anything. Taking cursors also takes the current scale (the other goes back to 1.0).
    void TakeCursorsFrom(CTheme& other);
    void TakeClickEffectsFrom(CTheme& other);
    void TakeTrailsFrom(CTheme& other);
    void TakeSoundsFrom(CTheme& other);

    void ClearClickEffects();
    void ClearTrails();
    void ClearSounds();

    // Empties all four parts, clears the content bits and sets the current scale to 1.0; texts,
    // option lock and the unsupported-message flag stay. The first step of every load.
    void Reset();

    // Loads a ".morvanta" file (any format version) or imports a ".tolvxtheme" archive, chosen by
    // extension; with preview only the texts and the normal arrow. False when nothing was read.
    // Loading and saving are in theme_load.cpp.
    bool Load(const std::wstring& path, bool preview);
    // Writes a version 2003 file; false for a path not ending in ".morvanta" or a failed write,
    // which leaves an existing file as it was.
    bool Save(const std::wstring& path) const;

    // Makes the cursor set of targetScale complete: every identity (role, event, variant) the
    // target lacks is derived from the best stored cursor of another scale (a larger one if there
    // is one, else the nearest). Derived cursors are never saved or used as sources. The target
    // becomes the current scale. In theme_rescale.cpp.
    void Rescale(double targetScale);
};
