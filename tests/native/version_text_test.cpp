#include "app/version_text.h"

#include <gtest/gtest.h>

TEST(VersionText, MinorAndThirdNumberRunTogether) {
    EXPECT_EQ(FormatProgramVersion(0x00020000, 0x00010007), L"2.01");
    EXPECT_EQ(FormatProgramVersion(0x0001000C, 0x00030000), L"1.123");
    EXPECT_EQ(FormatProgramVersion(0x000A0000, 0x00000000), L"10.00");
}
