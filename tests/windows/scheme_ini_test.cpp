// The portable scheme.ini reader answers as the system's private-profile reader does.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "theme/scheme_ini.h"
#include "tests/support/scheme_ini_samples.h"

TEST(SchemeIni, PortableReaderMatchesTheSystemReader) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"scheme_ini_test.ini";
    int sampleIndex = 0;
    for (const std::string& text : SchemeIniSampleTexts()) {
        {
            std::ofstream file(path.c_str(), std::ios::binary | std::ios::trunc);
            file.write(text.data(), std::streamsize(text.size()));
        }
        auto system = OpenSchemeIni(path);
        auto portable = ParseSchemeIni(std::vector<uint8_t>(text.begin(), text.end()));
        for (const SchemeIniQuestion& q : SchemeIniQuestions()) {
            SCOPED_TRACE(testing::Message() << "sample " << sampleIndex << ", section " << q.section);
            if (q.key) {
                EXPECT_EQ(portable->ReadString(q.section, q.key, q.fallback, 259),
                          system->ReadString(q.section, q.key, q.fallback, 259));
            } else {
                EXPECT_EQ(portable->ReadSectionFirstLine(q.section, 1000),
                          system->ReadSectionFirstLine(q.section, 1000));
            }
        }
        ++sampleIndex;
    }
    DeleteFileW(path.c_str());
}
