#pragma once
#include <cstdint>
#include <string>

// The system's text for a Win32 error code in the system's default language, as 8-bit text in the
// ANSI code page, trailing white space removed; "unknown error" when the system has none.
std::string SystemErrorReason(uint32_t code);
