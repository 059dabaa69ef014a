// The settings store against the real registry of the Wine session.
#include "services/settings_win.h"

#include <gtest/gtest.h>

#include <vector>

#include "services/registry_win.h"

namespace {

struct StoredValue {
    bool exists = false;
    DWORD type = 0;
    std::vector<BYTE> data;
    DWORD Dword() const { return data.size() == 4 ? *reinterpret_cast<const DWORD*>(data.data()) : 0xDEADBEEF; }
};

StoredValue Stored(const wchar_t* name) {
    StoredValue value;
    RegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kProductKeyPath, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, key.Receive()) !=
        ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) return value;
    value.data.resize(size);
    value.exists = RegQueryValueExW(key.Get(), name, nullptr, &value.type, value.data.data(), &size) == ERROR_SUCCESS;
    return value;
}

void Store(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    RegistryKey key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kProductKeyPath, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY,
                              nullptr, key.Receive(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key.Get(), name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
}

void StoreDword(const wchar_t* name, int32_t value) {
    Store(name, REG_DWORD, &value, 4);
}

void DeleteProductKey() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kProductKeyPath);
}

bool ProductKeyExists() {
    RegistryKey key;
    return RegOpenKeyExW(HKEY_CURRENT_USER, kProductKeyPath, 0, KEY_READ | KEY_WOW64_64KEY, key.Receive()) ==
           ERROR_SUCCESS;
}

// Watches the product key for value writes from the moment it is made.
class WriteWatch {
public:
    WriteWatch() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        RegOpenKeyExW(HKEY_CURRENT_USER, kProductKeyPath, 0, KEY_NOTIFY | KEY_WOW64_64KEY, key_.Receive());
        armed_ = RegNotifyChangeKeyValue(key_.Get(), FALSE, REG_NOTIFY_CHANGE_LAST_SET, event_, TRUE) == ERROR_SUCCESS;
    }
    ~WriteWatch() { CloseHandle(event_); }
    bool Armed() const { return armed_; }
    bool SawWrite() const { return WaitForSingleObject(event_, 300) == WAIT_OBJECT_0; }

private:
    RegistryKey key_;
    HANDLE event_;
    bool armed_ = false;
};

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteProductKey();
        CreateProductKeys();
    }
    void TearDown() override { DeleteProductKey(); }
};

}  // namespace

TEST_F(SettingsStore, EmptyKeyGivesDefaultsAndTheFirstSaveStoresThemAllAsDwords) {
    SettingsBlock block;
    for (const DwordSetting& setting : kLoadedSettings) block.*setting.field = 777;
    LoadSettings(block);
    for (const DwordSetting& setting : kLoadedSettings) EXPECT_EQ(block.*setting.field, DefaultOf(setting));

    EXPECT_EQ(SaveSettings(block), int(kSavedSettingCount));
    for (const DwordSetting& setting : kSavedSettings) {
        const StoredValue stored = Stored(setting.name);
        ASSERT_TRUE(stored.exists);
        EXPECT_EQ(stored.type, DWORD(REG_DWORD));
        EXPECT_EQ(int32_t(stored.Dword()), DefaultOf(setting));
    }
    EXPECT_FALSE(Stored(L"UIBlur").exists);  // its check box writes it
    EXPECT_EQ(Stored(L"LightX").Dword(), DWORD(-65));
}

TEST_F(SettingsStore, SavingAgainWithoutAChangeWritesNothing) {
    SettingsBlock block;
    {
        WriteWatch watch;
        ASSERT_TRUE(watch.Armed());
        SaveSettings(block);
        EXPECT_TRUE(watch.SawWrite());  // the watch does see writes
    }
    WriteWatch watch;
    ASSERT_TRUE(watch.Armed());
    EXPECT_EQ(SaveSettings(block), 0);
    EXPECT_FALSE(watch.SawWrite());

    block.size = 150;
    EXPECT_EQ(SaveSettings(block), 1);
    EXPECT_EQ(Stored(L"Size").Dword(), 150u);
}

TEST_F(SettingsStore, ValuesBeyondTheSliderRangesSurviveALoadAndASave) {
    StoreDword(L"LightHeight", 9303);
    StoreDword(L"GhostLife", 1000);
    StoreDword(L"Size", 5000);
    StoreDword(L"Brightness", -400);
    SettingsBlock block;
    LoadSettings(block);
    EXPECT_EQ(block.lightHeight, 9303);
    EXPECT_EQ(block.ghostLife, 1000);
    EXPECT_EQ(block.size, 5000);
    EXPECT_EQ(block.brightness, -400);
    SaveSettings(block);
    EXPECT_EQ(Stored(L"LightHeight").Dword(), 9303u);
    EXPECT_EQ(Stored(L"GhostLife").Dword(), 1000u);
    EXPECT_EQ(Stored(L"Size").Dword(), 5000u);
    EXPECT_EQ(int32_t(Stored(L"Brightness").Dword()), -400);
}

TEST_F(SettingsStore, ValuesOfOtherTypesAreReadAsLittleEndianIntegersOfUpTo4Bytes) {
    const BYTE four[] = {0x39, 0x05, 0x00, 0x00};
    const BYTE two[] = {0x10, 0x27};
    const BYTE five[] = {1, 2, 3, 4, 5};
    Store(L"Binary4", REG_BINARY, four, sizeof four);
    Store(L"Binary2", REG_BINARY, two, sizeof two);
    Store(L"Binary5", REG_BINARY, five, sizeof five);
    StoreDword(L"Negative", -700);
    int32_t value = 0;
    EXPECT_TRUE(ReadProductDword(value, L"Binary4", 42));
    EXPECT_EQ(value, 1337);
    EXPECT_TRUE(ReadProductDword(value, L"Binary2", 42));
    EXPECT_EQ(value, 10000);
    EXPECT_FALSE(ReadProductDword(value, L"Binary5", 42));
    EXPECT_EQ(value, 42);
    EXPECT_FALSE(ReadProductDword(value, L"Missing", -3));
    EXPECT_EQ(value, -3);
    EXPECT_TRUE(ReadProductDword(value, L"Negative", 0));
    EXPECT_EQ(value, -700);
}

TEST_F(SettingsStore, WritesCompareByNumberNotByTypeAndNeverCreateTheKey) {
    const BYTE binary[] = {0x05, 0x00, 0x00, 0x00};
    Store(L"ShadowX", REG_BINARY, binary, sizeof binary);
    EXPECT_FALSE(WriteProductDword(5, L"ShadowX"));  // reads as 5 already
    EXPECT_EQ(Stored(L"ShadowX").type, DWORD(REG_BINARY));
    EXPECT_TRUE(WriteProductDword(6, L"ShadowX"));
    EXPECT_EQ(Stored(L"ShadowX").type, DWORD(REG_DWORD));

    DeleteProductKey();
    EXPECT_FALSE(WriteProductDword(6, L"ShadowX"));
    EXPECT_FALSE(WriteStringSetting(L"ghost", HKEY_CURRENT_USER, kProductKeyPath, kCurrentTrailValue));
    EXPECT_EQ(SaveSettings(SettingsBlock()), 0);
    EXPECT_FALSE(ProductKeyExists());
}

TEST_F(SettingsStore, ResetRestoresAppearanceWritesTheHotKeyAndLeavesTheRestAlone) {
    StoreDword(L"UIBlur", 1);
    StoreDword(L"ShadowDynamic", 1);
    StoreDword(L"Ghost", 1);
    StoreDword(L"GhostLife", 300);
    StoreDword(L"GhostOpacity", 50);
    StoreDword(L"GhostPerSecond", 20);
    StoreDword(L"Language", 1031);
    StoreDword(L"HotKey", 0x241);
    StoreDword(L"ShadowX", 40);
    StoreDword(L"LightHeight", 1500);
    const std::wstring trail = L"C:\\users\\Public\\Documents\\Halberon\\Morvanta\\Themes\\Sparks.morvanta";
    ASSERT_TRUE(WriteStringSetting(trail, HKEY_CURRENT_USER, kProductKeyPath, kCurrentTrailValue));

    SettingsBlock block;
    LoadSettings(block);
    block.size = 250;  // a slider moved but not yet saved
    std::vector<std::wstring> shown;
    ResetSettings(block, [&](const DwordSetting& setting, int32_t value) {
        EXPECT_EQ(value, DefaultOf(setting));
        shown.push_back(setting.name);
    });
    EXPECT_EQ(shown.size(), kResetSettingCount);

    EXPECT_EQ(Stored(L"HotKey").Dword(), 835u);
    EXPECT_EQ(Stored(L"ShadowX").Dword(), 5u);
    EXPECT_EQ(Stored(L"LightHeight").Dword(), 9303u);
    EXPECT_EQ(Stored(L"Size").Dword(), 100u);
    EXPECT_EQ(Stored(L"UIBlur").Dword(), 1u);
    EXPECT_EQ(Stored(L"ShadowDynamic").Dword(), 1u);
    EXPECT_EQ(Stored(L"Ghost").Dword(), 1u);
    EXPECT_EQ(Stored(L"GhostLife").Dword(), 300u);
    EXPECT_EQ(Stored(L"GhostOpacity").Dword(), 50u);
    EXPECT_EQ(Stored(L"GhostPerSecond").Dword(), 20u);
    EXPECT_EQ(Stored(L"Language").Dword(), 1031u);
    EXPECT_EQ(ReadCurrentTrail(), trail);
    EXPECT_EQ(block.shadowDynamic, 1);
    EXPECT_EQ(block.ghostLife, 300);
}

TEST_F(SettingsStore, AChosenGhostTrailSurvivesASave) {
    StoreDword(L"Ghost", 1);
    SettingsBlock block;
    LoadSettings(block);
    SaveSettings(block);
    EXPECT_EQ(Stored(L"Ghost").Dword(), 1u);
}

TEST_F(SettingsStore, CurrentTrailHoldsAFullPathOf259Characters) {
    // Longer than 129 characters: a byte-sized buffer would cut it and it would match no trail.
    std::wstring path = L"C:\\users\\Public\\Documents\\Halberon\\Morvanta\\Themes\\";
    path += std::wstring(259 - path.size() - 9, L'a') + L".morvanta";
    ASSERT_EQ(path.size(), 259u);
    ASSERT_TRUE(WriteStringSetting(path, HKEY_CURRENT_USER, kProductKeyPath, kCurrentTrailValue));
    const StoredValue stored = Stored(kCurrentTrailValue);
    EXPECT_EQ(stored.type, DWORD(REG_SZ));
    EXPECT_EQ(stored.data.size(), (path.size() + 1) * 2);
    EXPECT_EQ(ReadCurrentTrail(), path);

    // One more character and the path cannot be held: it reads as no trail rather than a cut one.
    ASSERT_TRUE(WriteStringSetting(path + L"x", HKEY_CURRENT_USER, kProductKeyPath, kCurrentTrailValue));
    EXPECT_EQ(ReadCurrentTrail(), L"");
    ASSERT_TRUE(WriteStringSetting(L"", HKEY_CURRENT_USER, kProductKeyPath, kCurrentTrailValue));
    EXPECT_EQ(ReadCurrentTrail(), L"");
}

TEST_F(SettingsStore, StringWithoutTerminatorIsReadWhenItFits) {
    const wchar_t unterminated[] = {L'g', L'h', L'o', L's', L't'};
    Store(kCurrentTrailValue, REG_SZ, unterminated, sizeof unterminated);
    wchar_t buffer[6];
    for (wchar_t& c : buffer) c = L'#';
    EXPECT_TRUE(ReadStringSetting(buffer, sizeof buffer, HKEY_CURRENT_USER, kProductKeyPath, kCurrentTrailValue));
    EXPECT_STREQ(buffer, L"ghost");
    EXPECT_FALSE(
        ReadStringSetting(buffer, 5 * sizeof(wchar_t), HKEY_CURRENT_USER, kProductKeyPath, kCurrentTrailValue));
    EXPECT_STREQ(buffer, L"");
}
