#include "tools/theme_tool/scheme_inf_writer.h"

#include "theme/theme_load.h"
#include "theme/windows_scheme_install.h"

namespace {

bool IsHighSurrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

// A value of the [Strings] section: quoted, a quote doubled, a percent sign doubled.
std::wstring Quoted(const std::wstring& text) {
    std::wstring out = L"\"";
    for (wchar_t c : text) {
        if (c == L'"' || c == L'%') out += c;
        out += c;
    }
    return out + L"\"";
}

}  // namespace

std::wstring SafeSchemeName(const std::wstring& themeName) {
    std::wstring name = themeName.substr(0, kMaxSchemeNameLength);
    if (name.size() == kMaxSchemeNameLength && IsHighSurrogate(name.back())) name.pop_back();  // half a character
    // The length is cut first, so that the device-name rule sees the name as it ends up.
    std::wstring file = SchemeThemeFileName(name);
    return file.substr(0, file.size() - std::wstring(kThemeFileExtension).size());
}

std::vector<uint8_t> SchemeInstallInf(const std::wstring& schemeName,
                                      const std::array<std::wstring, kWindowsCursorCount>& files) {
    std::wstring list, copies, strings;
    for (int i = 0; i < kWindowsCursorCount; ++i) {
        if (i) list += L',';
        if (files[size_t(i)].empty()) continue;
        const std::wstring key = kWindowsCursorSlots[i].name;
        list += L"%10%\\%CUR_DIR%\\%" + key + L"%";
        copies += files[size_t(i)] + L"\r\n";
        strings += key + L" = " + Quoted(files[size_t(i)]) + L"\r\n";
    }
    const std::wstring text =
        L"; A cursor scheme: right-click this file and choose Install, then choose the scheme in the\r\n"
        L"; mouse settings (Pointers).\r\n"
        L"[Version]\r\n"
        L"signature=\"$CHICAGO$\"\r\n"
        L"\r\n"
        L"[DefaultInstall]\r\n"
        L"CopyFiles = Scheme.Cur\r\n"
        L"AddReg = Scheme.Reg\r\n"
        L"\r\n"
        L"[DestinationDirs]\r\n"
        L"Scheme.Cur = 10,\"%CUR_DIR%\"\r\n"
        L"\r\n"
        L"[Scheme.Reg]\r\n"
        L"HKCU,\"Control Panel\\Cursors\\Schemes\",\"%SCHEME_NAME%\",0x00020000,\"" +
        list +
        L"\"\r\n"
        L"\r\n"
        L"[Scheme.Cur]\r\n" +
        copies +
        L"\r\n"
        L"[Strings]\r\n"
        L"CUR_DIR = " +
        Quoted(L"Cursors\\" + schemeName) + L"\r\nSCHEME_NAME = " + Quoted(schemeName) + L"\r\n" + strings;

    bool ascii = true;
    for (wchar_t c : text) ascii = ascii && c < 0x80;
    std::vector<uint8_t> bytes;
    if (ascii) return std::vector<uint8_t>(text.begin(), text.end());
    bytes = {0xFF, 0xFE};
    for (wchar_t c : text) {
        bytes.push_back(uint8_t(c & 0xFF));
        bytes.push_back(uint8_t((c >> 8) & 0xFF));
    }
    return bytes;
}
