// morvanta-theme dump and convert.
#include "base/text_encoding.h"
#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "theme/theme_file.h"
#include "tools/theme_tool/any_theme.h"
#include "tools/theme_tool/json_writer.h"
#include "tools/theme_tool/sha256.h"
#include "tools/theme_tool/theme_tool.h"

namespace {

const HVBitmap* ImageBitmap(const CAnimation& animation) {
    const HVBitmap* bitmap = animation.image ? animation.image->Bitmap() : nullptr;
    return bitmap && bitmap->IsValid() ? bitmap : nullptr;
}

// The fields every animation shares, from frames on.
void WriteAnimation(JsonWriter& json, const CAnimation& animation) {
    const HVBitmap* bitmap = ImageBitmap(animation);
    json.Key("frames");
    json.Int(animation.frames);
    json.Key("width");
    json.Int(bitmap ? bitmap->Width() : 0);
    json.Key("height");
    json.Int(bitmap ? bitmap->Height() : 0);
    json.Key("interval");
    json.Int(animation.interval);
    json.Key("style");
    json.Bool(animation.style != 0);
    json.Key("reverse");
    json.Bool(animation.reverse != 0);
    json.Key("loop");
    json.Bool(animation.loop != 0);
    json.Key("hotspotX");
    json.Int(animation.hotSpotX);
    json.Key("hotspotY");
    json.Int(animation.hotSpotY);
    json.Key("script");
    if (animation.frameScript.empty()) {
        json.Null();
    } else {
        json.String(animation.frameScript);
    }
    json.Key("pixelsSha256");
    if (bitmap) {
        json.String(Sha256Hex(bitmap->Bits(), size_t(bitmap->Width()) * bitmap->Height() * 4));
    } else {
        json.Null();
    }
}

std::string DumpJson(CTheme& theme, const ThemeReadResult& read) {
    JsonWriter json;
    json.BeginObject();
    json.Key("version");
    json.Int(read.version);
    json.Key("optionLock");
    json.Int(theme.optionLock);
    json.Key("premultiplied");
    json.Bool(read.premultipliedFlag != 0);
    json.Key("contentFlags");
    json.Int(theme.contentFlags);
    json.Key("texts");
    json.BeginObject();
    json.Key("name");
    json.OptionalString(theme.name);
    json.Key("author");
    json.OptionalString(theme.author);
    json.Key("version");
    json.OptionalString(theme.version);
    json.Key("website");
    json.OptionalString(theme.website);
    json.Key("email");
    json.OptionalString(theme.email);
    json.Key("description");
    json.OptionalString(theme.description);
    json.EndObject();

    json.Key("cursors");
    json.BeginArray();
    for (const auto& [scale, index] : read.cursorOrder) {
        const CCursor& cursor = theme.cursors.at(scale).at(index);
        json.BeginObject();
        json.Key("scale");
        json.Double(scale);
        json.Key("role");
        json.Int(cursor.role);
        json.Key("event");
        json.Int(cursor.event);
        json.Key("standard");
        json.Bool(cursor.standard != 0);
        WriteAnimation(json, cursor);
        json.EndObject();
    }
    json.EndArray();

    json.Key("effects");
    json.BeginArray();
    for (const auto& [key, effect] : theme.clickEffects) {
        json.BeginObject();
        json.Key("key");
        json.Int(key);
        WriteAnimation(json, effect);
        json.EndObject();
    }
    json.EndArray();

    json.Key("trails");
    json.BeginArray();
    for (const auto& [key, trail] : theme.trails) {
        json.BeginObject();
        json.Key("key");
        json.Int(key);
        WriteAnimation(json, trail);
        json.Key("rate");
        json.Int(trail.rate);
        json.EndObject();
    }
    json.EndArray();

    json.Key("sounds");
    json.BeginArray();
    for (const auto& [key, bytes] : theme.sounds) {
        json.BeginObject();
        json.Key("key");
        json.Int(key);
        json.Key("size");
        json.Int(static_cast<int64_t>(bytes.size()));
        json.Key("sha256");
        json.String(Sha256Hex(bytes.data(), bytes.size()));
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    return json.Text();
}

}  // namespace

int RunDump(const std::string& file, std::ostream& out, std::ostream& err) {
    CTheme theme;
    ThemeReadResult read = LoadAnyTheme(theme, text::Utf8ToUtf16(file));
    if (!read.ok) {
        err << file << ": " << read.error << "\n";
        return 1;
    }
    out << DumpJson(theme, read) << "\n";
    return 0;
}

int RunConvert(const std::string& in, const std::string& out, std::ostream& err) {
    CTheme theme;
    ThemeReadResult read = LoadAnyTheme(theme, text::Utf8ToUtf16(in));
    if (!read.ok) {
        err << in << ": " << read.error << "\n";
        return 1;
    }
    std::string reason;
    if (!themefile::SaveThemeFile(theme, text::Utf8ToUtf16(out), &reason)) {
        err << out << ": " << reason << "\n";
        return 1;
    }
    return 0;
}
