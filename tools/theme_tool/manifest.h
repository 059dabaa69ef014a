#pragma once
// The pack manifest: a small text file naming the PNG frame strips, WAV files and settings of a
// theme (syntax in the README, "Theme manifests"). Parsing reports the first error with its line
// number; formatting writes every field explicitly, so that a theme unpacked and packed again
// comes out byte for byte the same.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ManifestAnimation {
    std::string image;  // PNG path, relative to the manifest's folder unless absolute
    int frames = 1;
    int interval = 50;
    int style = 0;
    int reverse = 0;
    int loop = 0;
    int hotSpotX = 0;
    int hotSpotY = 0;
    std::wstring script;  // empty: none
    int line = 0;         // where it was declared, for messages
};

struct ManifestCursor : ManifestAnimation {
    uint32_t role = 0;
    uint32_t event = 1;
    int standard = 0;
    double scale = 1.0;
    ManifestCursor() { loop = 1; }
};

struct ManifestEffect : ManifestAnimation {
    int key = 0;
};

struct ManifestTrail : ManifestAnimation {
    int key = 0;
    int rate = 20;
};

struct ManifestSound {
    int key = 0;
    std::string file;
    int line = 0;
};

enum class ManifestAlpha {
    kStraight,       // the PNG colours are stored as they are; the theme says "not premultiplied"
    kPremultiplied,  // the PNG colours are already premultiplied; stored as they are
    kConvert,        // the PNG colours are premultiplied while packing
};

struct Manifest {
    // name, author, version, website, email, description
    std::optional<std::wstring> texts[6];
    int optionLock = 0;
    ManifestAlpha alpha = ManifestAlpha::kStraight;
    std::vector<ManifestCursor> cursors;
    std::vector<ManifestEffect> effects;
    std::vector<ManifestTrail> trails;
    std::vector<ManifestSound> sounds;
};

extern const char* const kManifestTextKeywords[6];

// Parses UTF-8 manifest text. False with "line N: reason" on the first error.
bool ParseManifest(const std::string& text, Manifest& manifest, std::string* error);
std::string FormatManifest(const Manifest& manifest);

// A value as the manifest writes it: bare when it is a plain word, else quoted with escapes.
std::string QuoteManifestValue(const std::wstring& value);
