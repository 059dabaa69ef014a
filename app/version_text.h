#pragma once
#include <cstdint>
#include <string>

// The version text shown in the about panel: major, ".", minor and the third number run together,
// so file version 2.0.1.x reads "2.01" and 1.12.3.x reads "1.123". The fourth number is not shown.
std::wstring FormatProgramVersion(uint32_t fileVersionMS, uint32_t fileVersionLS);
