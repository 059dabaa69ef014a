// The earlier-format import with an arbitrary scheme.ini: sections, keys, scripts and the
// description must never crash or leak, and the import folder must be gone afterwards, every time.
// The archive around the text is built here, so every input reaches the ini reader intact.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/text_encoding.h"
#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "tests/support/image_files.h"
#include "tests/support/zip_builder.h"
#include "theme/legacy_import.h"
#include "theme/theme.h"

namespace {

namespace fs = std::filesystem;

struct Setup {
    fs::path tmp;      // TMPDIR of the imports: must stay empty
    fs::path archive;  // where each input's archive is written

    Setup() {
        char pattern[] = "/tmp/morvanta-fuzz-XXXXXX";
        const fs::path root = mkdtemp(pattern);
        tmp = root / "tmp";
        fs::create_directories(tmp);
        setenv("TMPDIR", tmp.c_str(), 1);
        archive = root / "input.tolvxtheme";
    }
    ~Setup() {
        std::error_code error;
        fs::remove_all(archive.parent_path(), error);
    }
};

Setup& State() {
    static Setup setup;
    return setup;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Setup& setup = State();
    static const std::string arrow = imagefiles::EncodePng(12, 4, imagefiles::Solid(12, 4, {9, 8, 7, 200}));
    ZipBuilder zip;
    zip.Add("scheme.ini", std::string(reinterpret_cast<const char*>(data), size));
    zip.Add("Arrow.png", arrow, false);
    zip.Add("Help_Down.png", arrow, false);
    const std::vector<uint8_t> bytes = zip.Build();
    {
        std::ofstream out(setup.archive, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    CTheme theme;
    const bool preview = size > 0 && (data[0] & 1);
    std::string reason;
    const bool imported = ImportLegacyTheme(theme, text::Utf8ToUtf16(setup.archive.string()), preview, {}, &reason);
    if (!fs::is_empty(setup.tmp)) abort();  // an import folder was left behind
    // A refusal gives a reason and leaves nothing; an import has cursors.
    if (!imported) {
        if (reason.empty() || reason.find('\n') != std::string::npos || theme.contentFlags != 0) abort();
        return 0;
    }
    if (theme.contentFlags != kThemeHasCursors || theme.cursors[1.0].empty()) abort();
    for (const CCursor& cursor : theme.cursors[1.0])
        if (!cursor.image || cursor.image->Bitmap()->Width() % (cursor.frames > 0 ? cursor.frames : 1) != 0) abort();
    return 0;
}
