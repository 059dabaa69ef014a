// Fuzzes the reader of cursor scheme .inf files with arbitrary bytes: decoding, lines, sections,
// string references and the scheme line must never crash, and a scheme found always has a name.
#include <cstddef>
#include <cstdint>
#include <string>

#include "theme/windows_inf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring text = DecodeInfText(std::string(reinterpret_cast<const char*>(data), size));
    InfScheme scheme;
    std::string reason;
    const bool found = TryReadInfScheme(text, scheme, reason);
    if (found ? scheme.name.empty() : reason.empty()) __builtin_trap();
    return 0;
}
