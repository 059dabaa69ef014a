// morvanta-theme pack and unpack: between a theme file and a folder of PNG strips, WAV files and
// a manifest.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "base/path_text.h"
#include "base/text_encoding.h"
#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "theme/theme_file.h"
#include "theme/theme_image.h"
#include "theme/theme_tables.h"
#include "tools/theme_tool/manifest.h"
#include "tools/theme_tool/png_io.h"
#include "tools/theme_tool/theme_tool.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kManifestName = "manifest.txt";

bool ReadText(const fs::path& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool WriteBytes(const fs::path& path, const void* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    return static_cast<bool>(out.flush());
}

class Packer {
public:
    Packer(const Manifest& manifest, fs::path folder) : manifest_(manifest), folder_(std::move(folder)) {}

    bool Build(CTheme& theme, std::string& error);

private:
    // Loads the animation's strip into a new bitmap (one reference for the caller to hand over).
    HVBitmap* LoadStrip(const ManifestAnimation& animation, std::string& error);
    void CopyAnimation(const ManifestAnimation& from, CAnimation& to);

    const Manifest& manifest_;
    fs::path folder_;
};

HVBitmap* Packer::LoadStrip(const ManifestAnimation& animation, std::string& error) {
    fs::path path = folder_ / fs::u8path(animation.image);
    RgbaImage image;
    std::string reason;
    if (!ReadPng(path.string(), image, &reason)) {
        error = "line " + std::to_string(animation.line) + ": " + reason;
        return nullptr;
    }
    auto* bitmap = new HVBitmap(image.width, image.height, HVB_ALPHA);
    if (!bitmap->IsValid()) {
        delete bitmap;
        error = "line " + std::to_string(animation.line) + ": the image is too large";
        return nullptr;
    }
    RgbaToBgraBottomUp(image, bitmap->Bits());
    if (manifest_.alpha == ManifestAlpha::kConvert) {
        uint8_t* p = bitmap->Bits();
        for (size_t i = 0, n = size_t(image.width) * image.height; i < n; ++i, p += 4) {
            for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>(p[c] * p[3] / 255);
        }
    }
    bitmap->SetPremultiplied(manifest_.alpha != ManifestAlpha::kStraight);
    return bitmap;
}

void Packer::CopyAnimation(const ManifestAnimation& from, CAnimation& to) {
    to.frames = from.frames;
    to.interval = from.interval;
    to.style = from.style;
    to.reverse = from.reverse;
    to.loop = from.loop;
    to.hotSpotX = from.hotSpotX;
    to.hotSpotY = from.hotSpotY;
    to.frameScript = from.script;
}

bool Packer::Build(CTheme& theme, std::string& error) {
    theme.name = manifest_.texts[0];
    theme.author = manifest_.texts[1];
    theme.version = manifest_.texts[2];
    theme.website = manifest_.texts[3];
    theme.email = manifest_.texts[4];
    theme.description = manifest_.texts[5];
    theme.optionLock = static_cast<uint8_t>(manifest_.optionLock);
    for (const ManifestCursor& entry : manifest_.cursors) {
        HVBitmap* bitmap = LoadStrip(entry, error);
        if (!bitmap) return false;
        CCursor cursor;
        CopyAnimation(entry, cursor);
        cursor.role = entry.role;
        cursor.event = entry.event;
        cursor.standard = entry.standard;
        cursor.scale = entry.scale;
        cursor.stored = 1;
        cursor.image = MakeAnimationState(CursorStateName(entry.role, entry.event), bitmap, cursor, true);
        theme.AddCursor(std::move(cursor));
    }
    for (const ManifestEffect& entry : manifest_.effects) {
        HVBitmap* bitmap = LoadStrip(entry, error);
        if (!bitmap) return false;
        CClickEffect effect;
        CopyAnimation(entry, effect);
        effect.image = MakeAnimationState(L"Default", bitmap, effect, false);
        theme.SetClickEffect(entry.key, std::move(effect));
    }
    for (const ManifestTrail& entry : manifest_.trails) {
        HVBitmap* bitmap = LoadStrip(entry, error);
        if (!bitmap) return false;
        CTrail trail;
        CopyAnimation(entry, trail);
        trail.key = entry.key;
        trail.rate = entry.rate;
        trail.image = MakeAnimationState(L"Default", bitmap, trail, false);
        theme.trails.insert_or_assign(entry.key, std::move(trail));
    }
    for (const ManifestSound& entry : manifest_.sounds) {
        std::string bytes;
        fs::path path = folder_ / fs::u8path(entry.file);
        if (!ReadText(path, bytes)) {
            error = "line " + std::to_string(entry.line) + ": cannot read '" + path.string() + "'";
            return false;
        }
        theme.SetSound(entry.key, std::vector<uint8_t>(bytes.begin(), bytes.end()));
    }
    return true;
}

std::string RoleWord(uint32_t role) {
    const PointerRole* entry = role < kPointerRoleCount ? FindPointerRole(static_cast<int>(role)) : nullptr;
    return entry ? text::Utf16ToUtf8(entry->sectionName) : "role" + std::to_string(role);
}

void TakeAnimation(const CAnimation& from, ManifestAnimation& to, const std::string& image) {
    to.image = image;
    to.frames = from.frames;
    to.interval = from.interval;
    to.style = from.style;
    to.reverse = from.reverse;
    to.loop = from.loop;
    to.hotSpotX = from.hotSpotX;
    to.hotSpotY = from.hotSpotY;
    to.script = from.frameScript;
}

const HVBitmap* ImageOf(const CAnimation& animation) {
    const HVBitmap* bitmap = animation.image ? animation.image->Bitmap() : nullptr;
    return bitmap && bitmap->IsValid() ? bitmap : nullptr;
}

bool SaveStrip(const fs::path& folder, const std::string& name, const HVBitmap& bitmap, std::string& error) {
    RgbaImage image = BgraBottomUpToRgba(bitmap.Bits(), bitmap.Width(), bitmap.Height());
    return WritePng((folder / name).string(), image, &error);
}

}  // namespace

int RunPack(const std::string& manifestPath, const std::string& out, std::ostream& err) {
    std::string text;
    if (!ReadText(fs::u8path(manifestPath), text)) {
        err << manifestPath << ": cannot read the manifest\n";
        return 1;
    }
    Manifest manifest;
    std::string error;
    if (!ParseManifest(text, manifest, &error)) {
        err << manifestPath << ": " << error << "\n";
        return 1;
    }
    CTheme theme;
    Packer packer(manifest, fs::u8path(manifestPath).parent_path());
    if (!packer.Build(theme, error)) {
        err << manifestPath << ": " << error << "\n";
        return 1;
    }
    // A theme without a name shows its file name; storing that name keeps an unpacked copy the same.
    if (!theme.name || theme.name->empty()) theme.name = pathtext::Stem(text::Utf8ToUtf16(out));
    if (!themefile::SaveThemeFile(theme, text::Utf8ToUtf16(out), &error)) {
        err << out << ": " << error << "\n";
        return 1;
    }
    return 0;
}

int RunUnpack(const std::string& file, const std::string& folderName, std::ostream& err) {
    CTheme theme;
    ThemeReadResult read = themefile::LoadThemeFile(theme, text::Utf8ToUtf16(file), false);
    if (!read.ok) {
        err << file << ": " << read.error << "\n";
        return 1;
    }
    const fs::path folder = fs::u8path(folderName);
    std::error_code failure;
    fs::create_directories(folder, failure);
    if (failure) {
        err << folderName << ": cannot create the folder: " << failure.message() << "\n";
        return 1;
    }
    Manifest manifest;
    manifest.texts[0] = theme.name;
    manifest.texts[1] = theme.author;
    manifest.texts[2] = theme.version;
    manifest.texts[3] = theme.website;
    manifest.texts[4] = theme.email;
    manifest.texts[5] = theme.description;
    manifest.optionLock = theme.optionLock;
    manifest.alpha = read.premultipliedFlag ? ManifestAlpha::kPremultiplied : ManifestAlpha::kStraight;
    std::string error;
    int index = 0;
    for (const auto& [scale, vector] : theme.cursors) {
        for (const CCursor& cursor : vector) {
            const HVBitmap* bitmap = ImageOf(cursor);
            if (!bitmap) {
                // Only cursors with an image of their own can be written back.
                err << file << ": cursor role " << cursor.role << " event " << cursor.event
                    << " has no image and is left out\n";
                continue;
            }
            char name[96];
            std::snprintf(name, sizeof name, "cursor-%03d-%s-%u.png", index++, RoleWord(cursor.role).c_str(),
                          cursor.event);
            if (!SaveStrip(folder, name, *bitmap, error)) {
                err << error << "\n";
                return 1;
            }
            ManifestCursor entry;
            TakeAnimation(cursor, entry, name);
            entry.role = cursor.role;
            entry.event = cursor.event;
            entry.standard = cursor.standard;
            entry.scale = scale;
            manifest.cursors.push_back(entry);
        }
    }
    for (const auto& [key, effect] : theme.clickEffects) {
        const HVBitmap* bitmap = ImageOf(effect);
        if (!bitmap) continue;
        std::string name = "effect-" + std::to_string(key) + ".png";
        if (!SaveStrip(folder, name, *bitmap, error)) {
            err << error << "\n";
            return 1;
        }
        ManifestEffect entry;
        TakeAnimation(effect, entry, name);
        entry.key = key;
        manifest.effects.push_back(entry);
    }
    for (const auto& [key, trail] : theme.trails) {
        const HVBitmap* bitmap = ImageOf(trail);
        if (!bitmap) continue;
        std::string name = "trail-" + std::to_string(key) + ".png";
        if (!SaveStrip(folder, name, *bitmap, error)) {
            err << error << "\n";
            return 1;
        }
        ManifestTrail entry;
        TakeAnimation(trail, entry, name);
        entry.key = key;
        entry.rate = trail.rate;
        manifest.trails.push_back(entry);
    }
    for (const auto& [key, bytes] : theme.sounds) {
        std::string name = "sound-" + std::to_string(key) + ".wav";
        if (!WriteBytes(folder / name, bytes.data(), bytes.size())) {
            err << (folder / name).string() << ": cannot write\n";
            return 1;
        }
        ManifestSound entry;
        entry.key = key;
        entry.file = name;
        manifest.sounds.push_back(entry);
    }
    std::string text = FormatManifest(manifest);
    if (!WriteBytes(folder / kManifestName, text.data(), text.size())) {
        err << (folder / kManifestName).string() << ": cannot write\n";
        return 1;
    }
    return 0;
}
