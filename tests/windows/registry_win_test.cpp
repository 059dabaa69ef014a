// Registry keys opened by textual path, against the real registry of the Wine session.
#include "services/registry_win.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

constexpr wchar_t kTestKey[] = L"Software\\MorvantaRegistryTest";

class RegistryPaths : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey); }
};

bool KeyExists(HKEY root, const std::wstring& subKey, REGSAM view) {
    RegistryKey key;
    return RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ | view, key.Receive()) == ERROR_SUCCESS;
}

}  // namespace

TEST_F(RegistryPaths, CreatesAMissingKeyAndItsParents) {
    const std::wstring path = std::wstring(L"HKEY_CURRENT_USER\\") + kTestKey + L"\\a\\b";
    RegistryKey key = OpenRegistryKey(path, KEY_ALL_ACCESS);
    ASSERT_TRUE(key);
    const DWORD value = 7;
    EXPECT_EQ(RegSetValueExW(key.Get(), L"v", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4), ERROR_SUCCESS);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, std::wstring(kTestKey) + L"\\a\\b", KEY_WOW64_64KEY));
}

TEST_F(RegistryPaths, MachineSoftwareKeysLandInThe64BitView) {
    // HKLM\Software is the part of the registry that 64-bit Windows keeps apart for 32-bit
    // programs; the key must be where a 64-bit reader looks, never only in the 32-bit view.
    const std::wstring subKey = L"Software\\MorvantaRegistryViewTest";
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, subKey.c_str(), KEY_WOW64_64KEY, 0);
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, subKey.c_str(), KEY_WOW64_32KEY, 0);
    OpenRegistryKey(L"HKEY_LOCAL_MACHINE\\" + subKey, KEY_ALL_ACCESS);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, subKey, KEY_WOW64_64KEY));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, subKey, KEY_WOW64_32KEY));
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, subKey.c_str(), KEY_WOW64_64KEY, 0);
}

TEST_F(RegistryPaths, APathOfOnlyARootNameOpensTheRoot) {
    RegistryKey key = OpenRegistryKey(L"HKEY_CURRENT_USER", KEY_READ);
    ASSERT_TRUE(key);
    // Whatever handle the system gives for the root itself, it reaches the root's sub-keys.
    EXPECT_TRUE(KeyExists(key.Get(), L"Software", 0));
}

TEST_F(RegistryPaths, RootNamesAreExactAndOthersAreOutOfRange) {
    EXPECT_THROW(OpenRegistryKey(L"HKCU\\Software", KEY_READ), std::out_of_range);
    EXPECT_THROW(OpenRegistryKey(L"hkey_current_user\\Software", KEY_READ), std::out_of_range);
    EXPECT_THROW(OpenRegistryKey(L"", KEY_READ), std::out_of_range);
    for (const wchar_t* root :
         {L"HKEY_CLASSES_ROOT", L"HKEY_CURRENT_CONFIG", L"HKEY_CURRENT_USER", L"HKEY_LOCAL_MACHINE", L"HKEY_USERS"})
        EXPECT_NO_THROW(OpenRegistryKey(root, KEY_READ)) << root;
}

TEST_F(RegistryPaths, AFailedOpenCarriesThePathAndTheSystemText) {
    // A volatile key cannot have a lasting child: the registry refuses with its own error.
    RegistryKey parent;
    const std::wstring volatileKey = std::wstring(kTestKey) + L"\\Volatile";
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, volatileKey.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, parent.Receive(), nullptr),
              ERROR_SUCCESS);
    const std::wstring path = L"HKEY_CURRENT_USER\\" + volatileKey + L"\\Child";
    try {
        OpenRegistryKey(path, KEY_ALL_ACCESS);
        FAIL() << "opened a lasting key under a volatile one";
    } catch (const std::runtime_error& error) {
        const std::wstring systemText = FormatSystemMessage(ERROR_CHILD_MUST_BE_VOLATILE);
        ASSERT_FALSE(systemText.empty());
        EXPECT_EQ(std::string(error.what()), ToNarrow(L"Could not open registry key " + path + L": " + systemText));
    }
}

TEST(SystemMessages, KnownCodesKeepTheirLineBreakAndUnknownOnesAreEmpty) {
    const std::wstring denied = FormatSystemMessage(ERROR_ACCESS_DENIED);
    ASSERT_GE(denied.size(), 2u);
    EXPECT_EQ(denied.back(), L'\n');
    EXPECT_EQ(FormatSystemMessage(0x2000FFFF), L"");
    // No stale text of an earlier call shows through.
    EXPECT_EQ(FormatSystemMessage(ERROR_ACCESS_DENIED), denied);
}

TEST(AnsiText, ConvertsIntoACallersBufferOnlyWhenItFits) {
    char buffer[6];
    EXPECT_TRUE(ToAnsi(buffer, sizeof buffer, L"theme"));
    EXPECT_STREQ(buffer, "theme");
    EXPECT_FALSE(ToAnsi(buffer, sizeof buffer, L"themes"));
    EXPECT_STREQ(buffer, "");
    EXPECT_TRUE(ToAnsi(buffer, 1, L""));
    EXPECT_EQ(ToAnsi(L"scheme.ini"), "scheme.ini");
}
