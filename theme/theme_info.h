#pragma once
// THEME_INFO: one entry of the theme library, copied by value into the library's lists. The text
// fields have the capacities of the buffers the entry was designed around (characters including
// the terminator); SetText cuts a longer text to fit.
#include <cstddef>
#include <optional>
#include <string>

class HVObj;

struct THEME_INFO {
    static constexpr size_t kPathCapacity = 260;
    static constexpr size_t kNameCapacity = 260;
    static constexpr size_t kAuthorCapacity = 200;
    static constexpr size_t kEmailCapacity = 200;
    static constexpr size_t kWebsiteCapacity = 200;
    static constexpr size_t kVersionCapacity = 20;

    std::wstring path;
    std::wstring author;  // empty after the library scan; filled when the Themes panel loads the entry
    std::wstring name;    // the file name without extension until the theme's own name is known
    std::wstring email;
    std::wstring website;  // the website control is enabled only when this is non-empty
    std::wstring version;
    std::optional<std::wstring> description;
    int flags = 0;  // content flags of the theme in the file
    // The preview objects the Themes panel made for the entry; owned by the UI.
    HVObj* previewObject = nullptr;
    HVObj* captionObject = nullptr;
    int reserved[2] = {0, 0};
    unsigned char optionLock = 0;

    // Stores text in field, cut to capacity - 1 characters.
    static void SetText(std::wstring& field, const std::wstring& text, size_t capacity) {
        field = text.substr(0, capacity - 1);
    }
};
