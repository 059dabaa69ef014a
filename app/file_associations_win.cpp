#include "app/file_associations_win.h"

#include <windows.h>

#include <stdexcept>

#include "services/registry_win.h"
#include "base/text_encoding.h"

namespace {

constexpr REGSAM kAllAccess = KEY_ALL_ACCESS;

// Registrations older versions left: removed from the merged view and from the machine's classes.
constexpr const wchar_t* kOldRegistrations[] = {L".Morvanta", L".TolvxTheme", L"MorvantaFile", L"TolvxThemeFile"};
constexpr const wchar_t* kOwnRegistrations[] = {kProgId, L".morvanta", L".tolvxtheme"};

constexpr wchar_t kClassesRoot[] = L"HKEY_CLASSES_ROOT";
constexpr wchar_t kMachineClasses[] = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes";
constexpr wchar_t kMachineClassesPrefix[] = L"HKEY_LOCAL_MACHINE\\Software\\Classes\\";

constexpr wchar_t kErrorCaption[] = L"Couldn't set file associations";
constexpr wchar_t kErrorText[] =
    L"We weren't able to associate .Morvanta files with the Morvanta configuration tool. As a result, you won't be "
    L"able to install themes by double-clicking on the file.\n\nTechnical details:\n";

void DeleteSubtrees(const wchar_t* keyPath, const wchar_t* const* names, size_t count) {
    RegistryKey key = OpenRegistryKey(keyPath, kAllAccess);
    for (size_t i = 0; i < count; ++i) RegDeleteTreeW(key.Get(), names[i]);  // results ignored
}

void SetDefaultValue(const std::wstring& keyPath, const std::wstring& value) {
    RegistryKey key = OpenRegistryKey(keyPath, kAllAccess);
    RegSetValueExW(key.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

void SetFileAssociations(const std::wstring& programPath) {
    try {
        DeleteSubtrees(kClassesRoot, kOldRegistrations, 4);
        DeleteSubtrees(kMachineClasses, kOldRegistrations, 4);
        const std::wstring classes = kMachineClassesPrefix;
        SetDefaultValue(classes + kProgId + L"\\shell\\open\\command", L"\"" + programPath + L"\" \"%1\"");
        SetDefaultValue(classes + L".morvanta", kProgId);
        SetDefaultValue(classes + L".tolvxtheme", kProgId);
    } catch (const std::runtime_error& error) {
        const std::wstring text = kErrorText + text::Cp1252ToWide(error.what());
        MessageBoxW(nullptr, text.c_str(), kErrorCaption, MB_OK);
    }
}

void RemoveFileAssociations() {
    try {
        DeleteSubtrees(L"HKEY_LOCAL_MACHINE\\Software\\Classes", kOwnRegistrations, 3);
    } catch (const std::runtime_error&) {
        // Without the rights nothing is removed, and the uninstaller goes on.
    }
}
