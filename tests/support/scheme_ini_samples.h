#pragma once
// scheme.ini texts and the questions asked of them, shared by the portable reader's tests and
// the Windows test that holds it against the system's reader.
#include <string>
#include <vector>

struct SchemeIniSample {
    const char* text;
};

struct SchemeIniQuestion {
    const wchar_t* section;
    const wchar_t* key;  // null: ask for the section's first line
    const wchar_t* fallback;
};

inline const std::vector<std::string>& SchemeIniSampleTexts() {
    static const std::vector<std::string> samples = {
        "[Arrow]\r\nFrames=4\r\nInterval = 50 \r\nStdCursor=0\r\nHot spot x=3\r\nHot spot y=7\r\nFrameScript=1\r\n"
        "[Arrow_Script]\r\n1-4,50;repeat 2;4-1\r\n[Description]\r\nA theme.\r\nSecond line\r\n",
        "[arrow]\nframes=2\n\n; a comment\nFrames=9\n[Help]\nStdCursor=\"0\"\nFrames=1x\n[Help_Script]\n  5,20  "
        "\nsecond\n",
        "Frames=7\n[ Wait ]\n  Frames  =   3  \nAnimation style=abc\nInterval=-12\n[Wait]\nFrames=99\n",
        "[Cross]\r\nStdCursor=\r\nFrames=3\r\n[Cross_Script]\r\n\r\n",
    };
    return samples;
}

inline const std::vector<SchemeIniQuestion>& SchemeIniQuestions() {
    static const std::vector<SchemeIniQuestion> questions = {
        {L"Arrow", L"Frames", L"0"},         {L"Arrow", L"Interval", L"200"}, {L"Arrow", L"StdCursor", L"1"},
        {L"ARROW", L"hot spot x", L"0"},     {L"Arrow", L"Hot spot y", L"0"}, {L"Arrow", L"FrameScript", L"0"},
        {L"Arrow", L"PerPixel", L"1"},       {L"Arrow_Script", nullptr, L""}, {L"Help", L"StdCursor", L"1"},
        {L"Help", L"Frames", L"0"},          {L"Help_Script", nullptr, L""},  {L"Wait", L"Frames", L"0"},
        {L"Wait", L"Animation style", L"0"}, {L"Wait", L"Interval", L"200"},  {L"Cross", L"StdCursor", L"1"},
        {L"Cross_Script", nullptr, L""},     {L"Missing", L"Frames", L"0"},   {L"Missing_Script", nullptr, L""},
    };
    return questions;
}
