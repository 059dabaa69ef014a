// Start-up of the graphics library: name, lock, optional functions and the supersampling rule.
#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

#include "graphics/halvix_win.h"

namespace {

// Each test starts from a library that was never started (the process keeps one library).
void ForgetLibrary() {
    if (gHalvix.ownLock) CloseHandle(gHalvix.ownLock);
    gHalvix = HalvixLibrary();
}

bool MutexExists(const wchar_t* name) {
    HANDLE h = OpenMutexW(SYNCHRONIZE, FALSE, name);
    if (h) CloseHandle(h);
    return h != nullptr;
}

}  // namespace

TEST(HalvixStart, EmptyNameMeansHalvixAndTheLockIsNamedAfterIt) {
    ForgetLibrary();
    EXPECT_FALSE(MutexExists(L"HalvixMutex"));
    EXPECT_EQ(HalvixStart(GetModuleHandleW(nullptr), L"", 0), 1);
    EXPECT_EQ(gHalvix.name, L"Halvix");
    EXPECT_TRUE(MutexExists(L"HalvixMutex"));
    EXPECT_NE(HalvixLock(), nullptr);
    EXPECT_EQ(gHalvix.libraryThread, GetCurrentThreadId());
    EXPECT_FALSE(gHalvix.noTimer);
    // The lock is created without an owner: another thread can take it at once.
    HANDLE lock = HalvixLock();
    DWORD waited = WAIT_FAILED;
    std::thread other([&] {
        waited = WaitForSingleObject(lock, 0);
        if (waited == WAIT_OBJECT_0) ReleaseMutex(lock);
    });
    other.join();
    EXPECT_EQ(waited, WAIT_OBJECT_0);
    ForgetLibrary();
    EXPECT_FALSE(MutexExists(L"HalvixMutex"));
}

TEST(HalvixStart, NoLockFlagLeavesTheSlotForTheApplicationsMutex) {
    ForgetLibrary();
    HalvixStart(GetModuleHandleW(nullptr), L"Morvanta", HALVIX_NO_LOCK | 0x02);
    EXPECT_EQ(gHalvix.name, L"Morvanta");
    EXPECT_EQ(HalvixLock(), nullptr);
    EXPECT_FALSE(MutexExists(L"MorvantaMutex"));
    EXPECT_EQ(gHalvix.libraryThread, 0u);
    EXPECT_TRUE(HalvixOnUiThread());

    // The application's own mutex in the slot; closing and clearing it is seen at once.
    HANDLE appMutex = CreateMutexW(nullptr, TRUE, nullptr);
    HalvixUseLock(&appMutex);
    EXPECT_EQ(HalvixLock(), appMutex);
    CloseHandle(appMutex);
    appMutex = nullptr;
    EXPECT_EQ(HalvixLock(), nullptr);
    HalvixUseLock(nullptr);
    ForgetLibrary();
}

TEST(HalvixStart, NoTimerFlagAndOptionalFunctions) {
    ForgetLibrary();
    HalvixStart(nullptr, nullptr, HALVIX_NO_TIMER | HALVIX_NO_LOCK);
    EXPECT_TRUE(gHalvix.noTimer);
    EXPECT_EQ(gHalvix.name, L"Halvix");
    EXPECT_GT(gHalvix.frequency.QuadPart, 0);
    // This system has both; each has a fallback where it has not.
    EXPECT_NE(gHalvix.alphaBlend, nullptr);
    EXPECT_NE(gHalvix.getPhysicalCursorPos, nullptr);
    POINT physical = {}, logical = {};
    EXPECT_TRUE(HalvixGetCursorPos(&physical));
    gHalvix.getPhysicalCursorPos = nullptr;
    EXPECT_TRUE(HalvixGetCursorPos(&logical));
    EXPECT_EQ(physical.x, logical.x);
    ForgetLibrary();
    EXPECT_FALSE(HalvixOnUiThread());
}

TEST(HalvixStart, SupersamplingKeepsOneToFourAndTurnsOthersIntoThree) {
    EXPECT_EQ(NormalizeTextSupersampling(1), 1);
    EXPECT_EQ(NormalizeTextSupersampling(4), 4);
    EXPECT_EQ(NormalizeTextSupersampling(0), 3);
    EXPECT_EQ(NormalizeTextSupersampling(5), 3);
    EXPECT_EQ(NormalizeTextSupersampling(-2), 3);
    ForgetLibrary();
    HalvixStart(nullptr, L"", HALVIX_NO_LOCK);
    EXPECT_EQ(gHalvix.textSupersampling, 4);
    ForgetLibrary();
}
