// ui.txt files of any content: decoding and line parsing must never read out of bounds, and every
// stored text must fit a line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/text_encoding.h"
#include "services/translations.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TranslationTable table;
    ParseTranslations(DecodeTextFileBytes(bytes, text::Cp1252ToWide), table);
    for (int number = 0; number < kTextSlotCount; ++number) {
        const std::wstring* text = table.Find(number);
        if (number == 0 && text) std::abort();
        if (text && text->size() > kMaxLineChars) std::abort();
    }
    return 0;
}
