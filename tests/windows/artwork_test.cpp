// The window's resources as the test program carries them (tests/windows/test_resources.rc): every
// PNG image the interface loads, at the size its layout is drawn for and decoded by the window's
// own loader, the program icon's images and the two small dialogs with the controls their code
// fills in.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "graphics/hv_bitmap.h"
#include "resources/artwork_ids.h"
#include "resources/resource_ids.h"

namespace {

struct ArtworkSize {
    int id;
    const char* name;
    int width;
    int height;
};

// Design sizes at 96 dpi. Fixed by the layout: the sidebar and tabs (250 wide, tabs 48 high),
// panels (551 × 600), push buttons (100 × 27), the 20 and 15 pixel theme buttons, 16 pixel icons,
// 5 pixel slider tracks, 17 pixel scroll bars, 45 pixel sound slots and 50 pixel list rows.
const ArtworkSize kArtwork[] = {
    {IDP_SIDEBAR, "sidebar", 250, 600},
    {IDP_TAB_OVER, "tab over", 250, 48},
    {IDP_TAB_SELECTED, "tab selected", 250, 48},
    {IDP_PANEL, "panel", 551, 600},
    {IDP_ICON_THEMES, "themes icon", 16, 16},
    {IDP_ICON_EFFECTS, "effects icon", 16, 16},
    {IDP_ICON_TRAILS, "trails icon", 16, 16},
    {IDP_ICON_SOUNDS, "sounds icon", 16, 16},
    {IDP_ICON_MORE_THEMES, "more themes icon", 16, 16},
    {IDP_ICON_OPTIONS, "options icon", 16, 16},
    {IDP_ICON_ABOUT, "about icon", 16, 16},
    {IDP_BUTTON, "button", 100, 27},
    {IDP_BUTTON_OVER, "button over", 100, 27},
    {IDP_BUTTON_DOWN, "button down", 100, 27},
    {IDP_BUTTON_ACCENT, "accent button", 100, 27},
    {IDP_BUTTON_ACCENT_OVER, "accent button over", 100, 27},
    {IDP_BUTTON_ACCENT_DOWN, "accent button down", 100, 27},
    {IDP_BUTTON_ACCENT_GLYPH, "accent button glyph", 100, 27},
    {IDP_BUTTON_ICON, "icon button", 100, 27},
    {IDP_BUTTON_ICON_OVER, "icon button over", 100, 27},
    {IDP_BUTTON_ICON_DOWN, "icon button down", 100, 27},
    {IDP_BUTTON_ICON_GLYPH, "icon button glyph", 100, 27},
    {IDP_LIST_HOVER, "list hover bar", 498, 50},
    {IDP_LIST_SELECTED, "list selection bar", 498, 50},
    {IDP_THEME_DETAILS, "details button", 20, 20},
    {IDP_THEME_EDIT, "edit button", 20, 20},
    {IDP_THEME_PROPERTIES, "properties button", 15, 15},
    {IDP_THEME_WEB, "web site button", 15, 15},
    {IDP_THEME_DELETE, "delete button", 15, 15},
    {IDP_BACK_ARROW, "back arrow", 16, 16},
    {IDP_SCROLL_TRACK, "scroll track", 17, 100},
    {IDP_SCROLL_UP, "scroll up arrow", 17, 17},
    {IDP_SCROLL_DOWN, "scroll down arrow", 17, 17},
    {IDP_SCROLL_THUMB, "scroll thumb", 17, 48},
    {IDP_PAGE_TAB, "page tab", 150, 36},
    {IDP_PAGE_TAB_SELECTED, "page tab selected", 150, 36},
    {IDP_CHECKBOX, "check box", 18, 18},
    {IDP_CHECKBOX_CHECKED, "check box checked", 18, 18},
    {IDP_SLIDER_TRACK, "slider track", 200, 5},
    {IDP_SLIDER_TRACK_HUE, "hue track", 200, 5},
    {IDP_SLIDER_TRACK_BRIGHTNESS, "brightness track", 200, 5},
    {IDP_SLIDER_TRACK_CONTRAST, "contrast track", 200, 5},
    {IDP_SLIDER_KNOB, "slider knob", 10, 21},
    {IDP_SLIDER_KNOB_OVER, "slider knob over", 10, 21},
    {IDP_SOUND_SLOT, "sound slot", 45, 45},
    {IDP_SOUND_SLOT_BLANK, "blank sound slot", 45, 45},
    {IDP_BANNER, "banner", 551, 130},
    {IDP_GALLERY, "gallery picture", 551, 240},
    {IDP_SIDE_PICTURE, "side picture", 150, 190},
};

struct Bytes {
    const uint8_t* data = nullptr;
    DWORD size = 0;
};

// The raw bytes of one of this module's resources; empty when it is missing.
Bytes ResourceBytes(const wchar_t* type, int id) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!info) return {};
    HGLOBAL loaded = LoadResource(module, info);
    if (!loaded) return {};
    return {static_cast<const uint8_t*>(LockResource(loaded)), SizeofResource(module, info)};
}

uint32_t BigEndian32(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

// Width, height, bit depth and colour type from the PNG signature and IHDR chunk; false when the
// bytes do not start like a PNG file.
struct PngHeader {
    int width = 0;
    int height = 0;
    int bitDepth = 0;
    int colourType = 0;
};

bool ReadPngHeader(const Bytes& bytes, PngHeader* header) {
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes.size < 33 || memcmp(bytes.data, kSignature, 8) != 0) return false;
    if (BigEndian32(bytes.data + 8) != 13 || memcmp(bytes.data + 12, "IHDR", 4) != 0) return false;
    header->width = int(BigEndian32(bytes.data + 16));
    header->height = int(BigEndian32(bytes.data + 20));
    header->bitDepth = bytes.data[24];
    header->colourType = bytes.data[25];
    return true;
}

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) {
    if (IS_INTRESOURCE(name)) reinterpret_cast<std::set<int>*>(param)->insert(int(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// A modeless instance of one of the module's dialog templates, destroyed with the holder.
class Dialog {
public:
    explicit Dialog(int id)
        : window_(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), nullptr, QuietDialogProc, 0)) {}
    ~Dialog() {
        if (window_) DestroyWindow(window_);
    }
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    HWND Get() const { return window_; }

private:
    HWND window_;
};

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window) {
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    return text;
}

// A section decoded by the window's loader, deleted with the holder; pixels read top row first.
class DecodedImage {
public:
    explicit DecodedImage(int id) : section_(reinterpret_cast<HBITMAP>(HVBitmap::LoadPngResource(id))) {
        if (section_ && GetObjectW(section_, sizeof dib_, &dib_) != int(sizeof dib_)) dib_ = {};
    }
    ~DecodedImage() {
        if (section_) DeleteObject(section_);
    }
    DecodedImage(const DecodedImage&) = delete;
    DecodedImage& operator=(const DecodedImage&) = delete;

    bool IsSection() const { return dib_.dsBm.bmBits != nullptr; }
    const BITMAP& Description() const { return dib_.dsBm; }
    // Blue, green, red, alpha of the pixel at (x, y), y = 0 being the top row.
    uint32_t Pixel(int x, int y) const {
        const BITMAP& bm = dib_.dsBm;
        // A positive height is a bottom-up section: the top row is the last in memory.
        const int row = bm.bmHeight > 0 ? bm.bmHeight - 1 - y : y;
        const uint8_t* p = static_cast<const uint8_t*>(bm.bmBits) + row * bm.bmWidthBytes + x * 4;
        return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
    }

private:
    HBITMAP section_;
    DIBSECTION dib_ = {};
};

}  // namespace

TEST(Artwork, EveryImageIsAnEightBitColourPngResourceOfItsDesignSize) {
    for (const ArtworkSize& art : kArtwork) {
        SCOPED_TRACE(std::string(art.name) + " (" + std::to_string(art.id) + ")");
        const Bytes bytes = ResourceBytes(L"PNG", art.id);
        ASSERT_NE(bytes.data, nullptr) << "missing";
        PngHeader header;
        ASSERT_TRUE(ReadPngHeader(bytes, &header)) << "not a PNG file";
        EXPECT_EQ(header.width, art.width);
        EXPECT_EQ(header.height, art.height);
        // 8 bits per channel, RGBA (6) or, for images without transparency, RGB (2): both decode
        // to 32-bit pixels with a meaningful fourth byte.
        EXPECT_EQ(header.bitDepth, 8);
        EXPECT_TRUE(header.colourType == 6 || header.colourType == 2) << "colour type " << header.colourType;
    }
}

TEST(Artwork, IdsAreDistinctAndInTheArtworkRangeAndTheModuleHasNoOtherPngResource) {
    std::set<int> listed;
    for (const ArtworkSize& art : kArtwork) {
        EXPECT_TRUE(art.id >= 144 && art.id <= 233) << art.name << " has id " << art.id;
        EXPECT_TRUE(listed.insert(art.id).second) << "id " << art.id << " is used twice";
    }
    std::set<int> carried;
    EnumResourceNamesW(GetModuleHandleW(nullptr), L"PNG", CollectName, reinterpret_cast<LONG_PTR>(&carried));
    // An image in the resource script but not here would go untested; the reverse is caught above.
    EXPECT_EQ(carried, listed);
}

TEST(Artwork, TheWindowsLoaderDecodesEveryImageToABottomUp32BitSectionOfItsDesignSize) {
    for (const ArtworkSize& art : kArtwork) {
        SCOPED_TRACE(std::string(art.name) + " (" + std::to_string(art.id) + ")");
        DecodedImage image(art.id);
        ASSERT_TRUE(image.IsSection()) << "does not decode";
        EXPECT_EQ(image.Description().bmWidth, art.width);
        EXPECT_EQ(image.Description().bmHeight, art.height);
        EXPECT_EQ(image.Description().bmBitsPixel, 32);
        bool visible = false;
        for (int y = 0; y < art.height && !visible; ++y) {
            for (int x = 0; x < art.width && !visible; ++x) visible = (image.Pixel(x, y) >> 24) != 0;
        }
        EXPECT_TRUE(visible) << "decodes to a fully transparent image";
    }
}

TEST(Artwork, DecodedSidebarKeepsItsColoursItsDividerColumnAndItsMarkAtTheFoot) {
    // The sidebar is #F3F5F8 with the divider #DDE2E9 in column 248 (the panels cover column 249)
    // and the blue product mark near the bottom: swapped channels, a flipped image or a shifted
    // column would all show here.
    DecodedImage sidebar(IDP_SIDEBAR);
    ASSERT_TRUE(sidebar.IsSection());
    EXPECT_EQ(sidebar.Pixel(5, 5), 0xFFF3F5F8u);
    EXPECT_EQ(sidebar.Pixel(248, 5), 0xFFDDE2E9u);
    EXPECT_EQ(sidebar.Pixel(249, 5), 0xFFF3F5F8u);
    const uint32_t mark = sidebar.Pixel(27, 573);
    const int blue = mark & 0xFF, red = (mark >> 16) & 0xFF;
    EXPECT_GT(blue, red + 40) << std::hex << mark;
    EXPECT_EQ(sidebar.Pixel(27, 20), 0xFFF3F5F8u);
}

TEST(ProgramIcon, CarriesSixteenThirtyTwoFortyEightAndTwoHundredFiftySixPixelImages) {
    // The group directory: a 6-byte header, then 14-byte entries whose first byte is the width
    // (0 stands for 256).
    const Bytes group = ResourceBytes(MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, IDI_MORVANTA);
    ASSERT_NE(group.data, nullptr);
    ASSERT_GE(group.size, 6u);
    const int count = group.data[4] | (group.data[5] << 8);
    ASSERT_GE(group.size, DWORD(6 + 14 * count));
    std::set<int> sizes;
    for (int i = 0; i < count; ++i) {
        const uint8_t* entry = group.data + 6 + 14 * i;
        const int width = entry[0] ? entry[0] : 256;
        const int height = entry[1] ? entry[1] : 256;
        EXPECT_EQ(width, height);
        sizes.insert(width);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48, 256}));

    for (int size : {16, 32, 48, 256}) {
        HICON icon = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MORVANTA), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour = {};
        GetObjectW(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST(Dialogs, ThemePropertiesShowsSixReadOnlyFieldsWithOkAndCancel) {
    Dialog dialog(IDD_THEME_PROPERTIES);
    ASSERT_NE(dialog.Get(), nullptr);
    EXPECT_EQ(TextOf(dialog.Get()), L"Theme properties");
    for (int id : {IDC_THEME_NAME, IDC_THEME_AUTHOR, IDC_THEME_VERSION, IDC_THEME_WEBSITE, IDC_THEME_EMAIL,
                   IDC_THEME_DESCRIPTION}) {
        HWND field = GetDlgItem(dialog.Get(), id);
        ASSERT_NE(field, nullptr) << id;
        EXPECT_EQ(ClassOf(field), L"Edit") << id;
        EXPECT_TRUE(GetWindowLongPtrW(field, GWL_STYLE) & ES_READONLY) << id;
    }
    EXPECT_TRUE(GetWindowLongPtrW(GetDlgItem(dialog.Get(), IDC_THEME_DESCRIPTION), GWL_STYLE) & ES_MULTILINE);
    EXPECT_EQ(TextOf(GetDlgItem(dialog.Get(), IDOK)), L"OK");
    EXPECT_EQ(TextOf(GetDlgItem(dialog.Get(), IDCANCEL)), L"Cancel");
}

TEST(Dialogs, HotKeyDialogHoldsAWorkingHotKeyControlItsTextAndOkAndCancel) {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_HOTKEY_CLASS};
    ASSERT_TRUE(InitCommonControlsEx(&classes));
    Dialog dialog(IDD_HOTKEY);
    ASSERT_NE(dialog.Get(), nullptr);
    HWND hotKey = GetDlgItem(dialog.Get(), IDC_HOTKEY);
    ASSERT_NE(hotKey, nullptr);
    EXPECT_EQ(ClassOf(hotKey), L"msctls_hotkey32");
    // Ctrl+Shift+C, the stored default, survives a round trip through the control.
    SendMessageW(hotKey, HKM_SETHOTKEY, 0x343, 0);
    EXPECT_EQ(LOWORD(SendMessageW(hotKey, HKM_GETHOTKEY, 0, 0)), 0x343);
    HWND text = GetDlgItem(dialog.Get(), IDC_HOTKEY_TEXT);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(ClassOf(text), L"Static");
    EXPECT_NE(GetDlgItem(dialog.Get(), IDOK), nullptr);
    EXPECT_NE(GetDlgItem(dialog.Get(), IDCANCEL), nullptr);
}
