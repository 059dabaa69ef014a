#include "theme/legacy_import.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "tests/support/image_files.h"
#include "tests/support/temp_folder.h"
#include "tests/support/zip_builder.h"
#include "theme/theme.h"

namespace {

namespace fs = std::filesystem;
using imagefiles::EncodePng;
using imagefiles::Solid;

const imagefiles::Rgba kRed = {255, 0, 0, 255};

std::string Png(int width, int height) {
    return EncodePng(width, height, Solid(width, height, kRed));
}

// Imports run with their temporary folders below a folder of the test's own, which must be empty
// again after every import, whatever the archive held.
class LegacyImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("TMPDIR")) oldTmp_ = old;
        importRoot_ = temp_.FsPath() / "a" / "b";  // so that "..\..\x" would still land inside temp_
        fs::create_directories(importRoot_);
        setenv("TMPDIR", importRoot_.c_str(), 1);
    }
    void TearDown() override {
        if (oldTmp_)
            setenv("TMPDIR", oldTmp_->c_str(), 1);
        else
            unsetenv("TMPDIR");
        EXPECT_EQ(temp_.Contents(), (std::vector<std::string>{"a", "a/b"})) << "left behind by an import";
    }

    std::wstring Archive(const ZipBuilder& zip, const std::wstring& name = L"Theme.tolvxtheme") {
        return files_.Write(name, zip.Build());
    }

    // Imports a ZIP holding scheme.ini and the given files.
    CTheme& Import(const std::string& scheme, ZipBuilder zip = {}, bool preview = false) {
        zip.Add("scheme.ini", scheme);
        EXPECT_TRUE(ImportLegacyTheme(theme_, Archive(zip), preview));
        return theme_;
    }

    std::vector<CCursor>& Cursors() { return theme_.cursors[1.0]; }

    TempFolder files_;
    TempFolder temp_;
    fs::path importRoot_;
    std::optional<std::string> oldTmp_;
    CTheme theme_;
};

TEST_F(LegacyImportTest, SectionKeysMakeTheCursorAndTheStripIsCutToWholeFrames) {
    ZipBuilder zip;
    zip.Add("Arrow.png", Png(130, 10));
    CTheme& theme = Import(
        "[Arrow]\r\nFrames=4\r\nInterval=80\r\nAnimation style=1\r\nHot spot x=3\r\nHot spot y=5\r\nStdCursor=0\r\n",
        zip);

    ASSERT_EQ(Cursors().size(), 1u);
    const CCursor& c = Cursors()[0];
    EXPECT_EQ(c.role, 0u);
    EXPECT_EQ(c.event, 1u);
    EXPECT_EQ(c.variant, 1u);
    EXPECT_EQ(c.stored, 1);
    EXPECT_EQ(c.scale, 1.0);
    EXPECT_EQ(c.name, L"Arrow");
    EXPECT_EQ(c.frames, 4);
    EXPECT_EQ(c.interval, 80);
    EXPECT_EQ(c.style, 1);
    EXPECT_EQ(c.reverse, 0);
    EXPECT_EQ(c.loop, 1);
    EXPECT_EQ(c.hotSpotX, 3);
    EXPECT_EQ(c.hotSpotY, 5);
    ASSERT_TRUE(c.image);
    EXPECT_EQ(c.image->Name(), L"Arrow");
    EXPECT_EQ(c.image->Bitmap()->Width(), 128);  // 130 pixels hold four whole frames of 32
    EXPECT_EQ(c.image->Width(), 32);
    EXPECT_EQ(c.image->FrameCount(), 4);
    EXPECT_EQ(c.image->ModeFlags(), HVS_INTERRUPTIBLE | HVS_LOOP | HVS_STYLE);
    EXPECT_EQ(c.image->OffsetX(), -3);
    EXPECT_EQ(c.image->OffsetY(), -5);
    EXPECT_EQ(c.image->HitMode(), HVH_NEVER);
    EXPECT_EQ(theme.contentFlags, kThemeHasCursors);
}

TEST_F(LegacyImportTest, MissingKeysTakeTheirDefaults) {
    ZipBuilder zip;
    zip.Add("Arrow.png", Png(16, 16));
    Import("[Arrow]\nFrames=2\nStdCursor=0\n", zip);
    ASSERT_EQ(Cursors().size(), 1u);
    const CCursor& c = Cursors()[0];
    EXPECT_EQ(c.interval, 200);
    EXPECT_EQ(c.style, 0);
    EXPECT_EQ(c.hotSpotX, 0);
    EXPECT_EQ(c.image->ModeFlags(), HVS_INTERRUPTIBLE | HVS_LOOP);
    EXPECT_TRUE(c.frameScript.empty());
}

TEST_F(LegacyImportTest, OnlySectionsWithFramesImagesAndStdCursorZeroYieldCursors) {
    ZipBuilder zip;
    for (const char* name : {"Arrow", "Help", "Wait", "Cross", "Hand", "SizeAll"})
        zip.Add(std::string(name) + ".png", Png(4, 4));
    zip.Add("Button.png", "not a png");
    Import(
        "[Arrow]\nFrames=1\n"                  // no StdCursor: the role keeps the system pointer
        "[Help]\nStdCursor=0\n"                // no frames
        "[Wait]\nFrames=1\nStdCursor=1\n"      // the system pointer
        "[IBeam]\nFrames=1\nStdCursor=0\n"     // no image: left out, the rest imports
        "[Cross]\nFrames=5\nStdCursor=0\n"     // narrower than five frames
        "[Button]\nFrames=1\nStdCursor=0\n"    // an image that does not decode
        "[Hand]\nFrames=abc\nStdCursor=0\n"    // text without digits reads as 0
        "[UpArrow]\nFrames=1\nStdCursor=no\n"  // ... here as 0 too: the section is used, but has no image
        "[SizeAll]\nFrames=1\nStdCursor=0\n",  // the one cursor
        zip);
    ASSERT_EQ(Cursors().size(), 1u);
    EXPECT_EQ(Cursors()[0].name, L"SizeAll");
    EXPECT_EQ(theme_.contentFlags, kThemeHasCursors);
}

// An archive from which no cursor can be read is no theme: it is refused with a one-line reason,
// a preview as well as a full import, and leaves the theme empty.
TEST_F(LegacyImportTest, AnArchiveWithoutAReadableCursorIsRefusedWithAReason) {
    const std::string named = "[Arrow]\nFrames=1\nStdCursor=0\n[Help]\nFrames=1\nStdCursor=0\n[Description]\nx\n";
    ZipBuilder damagedImages;
    damagedImages.Add("scheme.ini", named);
    damagedImages.Add("Arrow.png", "not a png");  // Help.png is missing
    ZipBuilder noScheme;
    noScheme.Add("Arrow.png", Png(4, 4));
    ZipBuilder namesNone;
    namesNone.Add("scheme.ini", "[Arrow]\nFrames=1\nStdCursor=1\n[Description]\nOnly words\n");
    namesNone.Add("Arrow.png", Png(4, 4));
    ZipBuilder cut;
    cut.Add("scheme.ini", named);
    cut.Add("Arrow.png", Png(4, 4));
    std::vector<uint8_t> cutBytes = cut.Build();
    cutBytes.resize(cutBytes.size() / 2);

    const std::pair<std::wstring, std::string> cases[] = {
        {Archive(damagedImages, L"Damaged.tolvxtheme"), "every cursor image scheme.ini names is missing or damaged"},
        {Archive(noScheme, L"NoScheme.tolvxtheme"), "no scheme.ini"},
        {Archive(namesNone, L"NamesNone.tolvxtheme"), "names no cursor image"},
        {files_.Write(L"Cut.tolvxtheme", cutBytes), "no scheme.ini"},
        {files_.Write(L"Junk.tolvxtheme", std::string("not a zip")), "no scheme.ini"},
        {files_.File(L"Missing.tolvxtheme"), "cannot be found"},
    };
    for (const auto& [path, words] : cases) {
        for (bool preview : {false, true}) {
            CTheme theme;
            std::string reason;
            EXPECT_FALSE(ImportLegacyTheme(theme, path, preview, ExtractLimits{}, &reason));
            EXPECT_NE(reason.find(words), std::string::npos) << reason;
            EXPECT_EQ(reason.find('\n'), std::string::npos);
            EXPECT_EQ(theme.contentFlags, 0);
            EXPECT_TRUE(theme.cursors[1.0].empty());
        }
    }
}

TEST_F(LegacyImportTest, DownSectionsFormASecondPassAndAPreviewReadsOnlyTheNormalArrow) {
    ZipBuilder zip;
    for (const char* name : {"Arrow", "Arrow_Down", "Help"}) zip.Add(std::string(name) + ".png", Png(8, 8));
    const std::string scheme =
        "[Arrow_Down]\nFrames=1\nStdCursor=0\n[Help]\nFrames=1\nStdCursor=0\n[Arrow]\nFrames=1\nStdCursor=0\n"
        "[Description]\nAbout\n";

    Import(scheme, zip);
    ASSERT_EQ(Cursors().size(), 3u);
    EXPECT_EQ(Cursors()[0].name, L"Arrow");
    EXPECT_EQ(Cursors()[1].name, L"Help");
    EXPECT_EQ(Cursors()[2].name, L"Arrow_Down");
    EXPECT_EQ(Cursors()[2].role, 0u);
    EXPECT_EQ(Cursors()[2].event, 2u);

    CTheme preview;
    ZipBuilder again = zip;
    again.Add("scheme.ini", scheme);
    ASSERT_TRUE(ImportLegacyTheme(preview, Archive(again, L"Preview.tolvxtheme"), true));
    ASSERT_EQ(preview.cursors[1.0].size(), 1u);
    EXPECT_EQ(preview.cursors[1.0][0].name, L"Arrow");
    EXPECT_EQ(preview.description, L"About\r\n");  // a preview still has its texts

    // Without a readable Arrow a preview reads on until it finds a cursor: it refuses an archive
    // only when a full import would.
    ZipBuilder noArrow;
    noArrow.Add("Help.png", Png(8, 8));
    noArrow.Add("scheme.ini", scheme);
    CTheme other;
    ASSERT_TRUE(ImportLegacyTheme(other, Archive(noArrow, L"NoArrow.tolvxtheme"), true));
    ASSERT_EQ(other.cursors[1.0].size(), 1u);
    EXPECT_EQ(other.cursors[1.0][0].name, L"Help");
}

TEST_F(LegacyImportTest, AFrameScriptIsTakenOnlyWhenTheSectionAsksForIt) {
    ZipBuilder zip;
    zip.Add("Arrow.png", Png(8, 2));
    zip.Add("Help.png", Png(8, 2));
    Import(
        "[Arrow]\nFrames=4\nStdCursor=0\nFrameScript=1\n[Arrow_Script]\n1-4,50;repeat 2;1;end repeat\n2\n"
        "[Help]\nFrames=4\nStdCursor=0\n[Help_Script]\n4-1\n",
        zip);
    ASSERT_EQ(Cursors().size(), 2u);
    EXPECT_EQ(Cursors()[0].frameScript, L"1-4,50;repeat 2;1;end repeat");  // the first line only
    EXPECT_TRUE(Cursors()[0].image->HasScript());
    EXPECT_EQ(Cursors()[0].image->ScriptText(), L"1-4,50;repeat 2;1;end repeat");
    // Help does not ask for its script; a theme saved from this import must not start playing it.
    EXPECT_TRUE(Cursors()[1].frameScript.empty());
    EXPECT_FALSE(Cursors()[1].image->HasScript());
}

TEST_F(LegacyImportTest, TheDescriptionIsEveryLineAfterItsHeaderWhateverTheLineEnds) {
    const std::string crlf =
        "[Wait]\r\nFrames=1\r\nStdCursor=0\r\n[Arrow]\r\nFrames=0\r\n[description]\r\nFirst line\r\n\r\nThird = "
        "[x]\r\n[Help]\r\nFrames=1\r\n";
    std::string lf = crlf;
    for (size_t at; (at = lf.find('\r')) != std::string::npos;) lf.erase(at, 1);

    ZipBuilder help;
    help.Add("Wait.png", Png(4, 4));
    Import(crlf, help);
    const std::optional<std::wstring> fromCrlf = theme_.description;
    CTheme other;
    ZipBuilder zip = help;
    zip.Add("scheme.ini", lf);
    ASSERT_TRUE(ImportLegacyTheme(other, Archive(zip, L"Lf.tolvxtheme"), false));

    EXPECT_EQ(fromCrlf, L"First line\r\n\r\nThird = [x]\r\n[Help]\r\nFrames=1\r\n");
    EXPECT_EQ(other.description, fromCrlf);

    CTheme unterminated;
    ZipBuilder last;
    last.Add("scheme.ini", "[Arrow]\rFrames=1\rStdCursor=0\r[Description]\rone\rtwo");
    last.Add("Arrow.png", Png(4, 4));
    ASSERT_TRUE(ImportLegacyTheme(unterminated, Archive(last, L"Cr.tolvxtheme"), false));
    EXPECT_EQ(unterminated.description, L"one\r\ntwo");
}

TEST_F(LegacyImportTest, ASchemeWithoutDescriptionGivesAnEmptyOne) {
    ZipBuilder zip;
    zip.Add("Arrow.png", Png(4, 4));
    Import("[Arrow]\nFrames=1\nStdCursor=0\n", zip);
    EXPECT_EQ(theme_.description, L"");
}

TEST_F(LegacyImportTest, TheArchiveFileNameNamesTheTheme) {
    ZipBuilder zip;
    zip.Add("scheme.ini",
            "[General]\nName=Something else\n[Arrow]\nFrames=1\nStdCursor=0\n[Description]\nName=Neither\n");
    zip.Add("Arrow.png", Png(4, 4));
    const std::wstring path = Archive(zip, L"My Theme.tolvxtheme");
    ASSERT_TRUE(ImportLegacyTheme(theme_, path, false));
    EXPECT_EQ(theme_.name, L"My Theme");
    EXPECT_EQ(theme_.path, path);
}

TEST_F(LegacyImportTest, FileNamesMatchWhateverTheirLetterCase) {
    ZipBuilder zip;
    zip.Add("SCHEME.INI", "[Arrow]\nFrames=1\nStdCursor=0\n");
    zip.Add("arrow.PNG", Png(4, 4));
    ASSERT_TRUE(ImportLegacyTheme(theme_, Archive(zip), false));
    ASSERT_EQ(Cursors().size(), 1u);
}

TEST_F(LegacyImportTest, EntriesThatClimbOutOrNameAbsolutePathsLandNowhere) {
    const fs::path outside = files_.FsPath() / "outside.txt";
    ZipBuilder zip;
    zip.Add("..\\..\\evil.txt", "x");
    zip.Add("../../evil2.txt", "x");
    zip.Add("x/../../../../evil3.txt", "x");
    zip.Add(outside.string(), "x");  // absolute
    zip.Add("C:\\evil4.txt", "x");
    zip.Add("Arrow.png", Png(4, 4));
    Import("[Arrow]\nFrames=1\nStdCursor=0\n", zip);
    EXPECT_EQ(Cursors().size(), 1u);  // the safe entries still arrive
    EXPECT_FALSE(fs::exists(outside));
    // Anything that climbed out of the import folder would sit in temp_, which TearDown checks.
}

TEST_F(LegacyImportTest, ExtractionStopsAtTheSizeLimit) {
    ExtractLimits limits;
    limits.maxTotalBytes = 64 * 1024;
    ZipBuilder zip;
    zip.Add("bomb.bin", std::string(1 << 20, '\0'));  // a few kilobytes that inflate to a megabyte
    zip.Add("scheme.ini", "[Arrow]\nFrames=1\nStdCursor=0\n");
    zip.Add("Arrow.png", Png(4, 4));
    std::string reason;
    EXPECT_FALSE(ImportLegacyTheme(theme_, Archive(zip), false, limits, &reason))
        << "entries after the limit must not be extracted";
    EXPECT_NE(reason.find("no scheme.ini"), std::string::npos) << reason;

    CTheme within;
    ASSERT_TRUE(ImportLegacyTheme(within, Archive(zip, L"Within.tolvxtheme"), false));
    EXPECT_EQ(within.cursors[1.0].size(), 1u);
}

TEST_F(LegacyImportTest, AMissingArchiveOrAFolderIsNotImported) {
    EXPECT_FALSE(ImportLegacyTheme(theme_, files_.File(L"Missing.tolvxtheme"), false));
    fs::create_directories(files_.FsPath() / "Folder.tolvxtheme");
    EXPECT_FALSE(ImportLegacyTheme(theme_, files_.File(L"Folder.tolvxtheme"), false));
    EXPECT_EQ(theme_.contentFlags, 0);
}

TEST(LegacyImportFolders, DeleteFolderTreeEmptiesOrRemovesTheFolder) {
    TempFolder temp;
    fs::create_directories(temp.FsPath() / "t" / "sub" / "deeper");
    temp.Write(L"t/sub/deeper/a.txt", std::string("a"));
    temp.Write(L"t/b.txt", std::string("b"));
    DeleteFolderTree(temp.File(L"t"), false);
    EXPECT_EQ(temp.Contents(), std::vector<std::string>{"t"});
    DeleteFolderTree(temp.File(L"t"), true);
    EXPECT_TRUE(temp.Contents().empty());
}

TEST(LegacyImportFolders, EachImportFolderIsNewAndNamedQz) {
    std::wstring first, second;
    ASSERT_TRUE(CreateImportFolder(first));
    ASSERT_TRUE(CreateImportFolder(second));
    EXPECT_NE(first, second);
    for (const std::wstring& folder : {first, second}) {
        EXPECT_EQ(fileio::ToFsPath(folder).filename().string().substr(0, 2), "QZ");
        EXPECT_TRUE(fs::is_directory(fileio::ToFsPath(folder)));
        DeleteFolderTree(folder, true);
        EXPECT_FALSE(fs::exists(fileio::ToFsPath(folder)));
    }
}

}  // namespace
