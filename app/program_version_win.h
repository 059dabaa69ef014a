#pragma once
#include <string>

// The version text of the program file ("2.01" for file version 2.0.1.x). Throws
// std::runtime_error("Could not get version info") when the version resource cannot be read.
std::wstring GetProgramVersion();
