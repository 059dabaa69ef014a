#include "ui/dialog_failure_win.h"

#include <string>
#include <vector>

namespace {

// Reads the words of a dialog template without ever reading past its end.
class TemplateWords {
public:
    TemplateWords(const void* data, DWORD size) : words_(static_cast<const WORD*>(data)), count_(size / sizeof(WORD)) {}
    bool ok() const { return ok_; }
    WORD Word() {
        if (at_ >= count_) {
            ok_ = false;
            return 0;
        }
        return words_[at_++];
    }
    void Skip(size_t words) {
        for (size_t i = 0; i < words; ++i) Word();
    }
    // A name or ordinal field: the name, or empty for none and for an ordinal (a system class).
    std::wstring NameOrOrdinal() {
        const WORD first = Word();
        if (first == 0) return {};
        if (first == 0xFFFF) {
            Word();
            return {};
        }
        std::wstring name(1, wchar_t(first));
        for (WORD c = Word(); ok_ && c != 0; c = Word()) name += wchar_t(c);
        return name;
    }
    void AlignToDword() {
        if (at_ % 2) Word();
    }

private:
    const WORD* words_;
    size_t count_;
    size_t at_ = 0;
    bool ok_ = true;
};

// The window classes a template names by name: the dialog's own, then each control's.
bool TemplateClasses(const void* data, DWORD size, std::vector<std::wstring>& classes) {
    TemplateWords in(data, size);
    const WORD version = in.Word();
    const bool extended = in.Word() == 0xFFFF && version == 1;
    if (!extended) in = TemplateWords(data, size);
    if (extended) in.Skip(4);  // help id, extended style
    const DWORD styleLow = in.Word();
    const DWORD style = styleLow | DWORD(in.Word()) << 16;
    if (!extended) in.Skip(2);  // extended style
    const WORD items = in.Word();
    in.Skip(4);          // position and size
    in.NameOrOrdinal();  // menu
    classes.push_back(in.NameOrOrdinal());
    in.NameOrOrdinal();  // title
    if (style & DS_SETFONT) {
        in.Skip(extended ? 3 : 1);  // point size (and weight, italic, character set)
        in.NameOrOrdinal();         // type face
    }
    for (WORD i = 0; i < items && in.ok(); ++i) {
        in.AlignToDword();
        in.Skip(extended ? 2 + 2 + 2 + 4 + 2 : 2 + 2 + 4 + 1);  // (help id,) ex style, style, place, id
        classes.push_back(in.NameOrOrdinal());
        in.NameOrOrdinal();  // title
        const WORD extra = in.Word();
        in.Skip((extra + 1) / 2);
    }
    return in.ok();
}

}  // namespace

DWORD DialogCreationError(HINSTANCE instance, int templateId) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(5));  // RT_DIALOG
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return ERROR_RESOURCE_NAME_NOT_FOUND;
    std::vector<std::wstring> classes;
    if (!TemplateClasses(data, SizeofResource(instance, found), classes)) return ERROR_INVALID_DATA;
    for (const std::wstring& name : classes) {
        WNDCLASSEXW info{};
        info.cbSize = sizeof info;
        if (name.empty() || GetClassInfoExW(instance, name.c_str(), &info) ||
            GetClassInfoExW(nullptr, name.c_str(), &info))
            continue;
        // The system's own error for that class: a hidden window that cannot be made.
        SetLastError(0);
        HWND window = CreateWindowExW(0, name.c_str(), L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
        const DWORD error = GetLastError();
        if (window) {
            DestroyWindow(window);
            continue;
        }
        return error ? error : ERROR_CANNOT_FIND_WND_CLASS;
    }
    return 0;
}
