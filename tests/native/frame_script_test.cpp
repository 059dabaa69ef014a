#include "graphics/frame_script.h"

#include <gtest/gtest.h>

namespace {

using R = FrameScriptRecord;

void ExpectRecord(const R& r, int32_t kind, int32_t first, int32_t last, int32_t interval, int32_t count) {
    EXPECT_EQ(r.kind, kind);
    EXPECT_EQ(r.first, first);
    EXPECT_EQ(r.last, last);
    EXPECT_EQ(r.interval, interval);
    EXPECT_EQ(r.count, count);
}

}  // namespace

TEST(FrameScript, EmptyTextGivesNoRecords) {
    EXPECT_TRUE(ParseFrameScript(L"").empty());
    EXPECT_TRUE(ParseFrameScript(static_cast<const wchar_t*>(nullptr)).empty());
}

TEST(FrameScript, RangeUsesTheDefaultInterval) {
    auto r = ParseFrameScript(L"1-5");
    ASSERT_EQ(r.size(), 1u);
    ExpectRecord(r[0], R::kFrameRun, 1, 5, 200, 0);
}

TEST(FrameScript, AnIntervalBecomesTheDefaultForLaterStatements) {
    auto r = ParseFrameScript(L"5-1,50;7");
    ASSERT_EQ(r.size(), 2u);
    ExpectRecord(r[0], R::kFrameRun, 5, 1, 50, 0);
    ExpectRecord(r[1], R::kFrameRun, 7, 0, 50, 0);
}

TEST(FrameScript, RepeatBlockGivesFourRecords) {
    auto r = ParseFrameScript(L"repeat 3;1-4;end repeat;5");
    ASSERT_EQ(r.size(), 4u);
    ExpectRecord(r[0], R::kRepeatBegin, 0, 0, 0, 3);
    ExpectRecord(r[1], R::kFrameRun, 1, 4, 200, 0);
    ExpectRecord(r[2], R::kRepeatEnd, 0, 0, 0, 0);
    ExpectRecord(r[3], R::kFrameRun, 5, 0, 200, 0);
}

TEST(FrameScript, KeywordsIgnoreCaseButNeedTheirSpaceAndTheStatementStart) {
    ExpectRecord(ParseFrameScript(L"REPEAT 2")[0], R::kRepeatBegin, 0, 0, 0, 2);
    ExpectRecord(ParseFrameScript(L"End Repeat")[0], R::kRepeatEnd, 0, 0, 0, 0);
    // Without the space the keyword is skipped as text and the number is a frame.
    ExpectRecord(ParseFrameScript(L"repeat2")[0], R::kFrameRun, 2, 0, 200, 0);
    // A leading space hides the keyword: the count is read as the frame.
    ExpectRecord(ParseFrameScript(L" repeat 3")[0], R::kFrameRun, 3, 0, 200, 0);
}

TEST(FrameScript, LineBreaksCountOnceForCrLfAndATrailingBreakAddsFrameZero) {
    auto r = ParseFrameScript(L"1\r\n2\n3\r4\n");
    ASSERT_EQ(r.size(), 5u);
    for (int i = 0; i < 4; ++i) ExpectRecord(r[i], R::kFrameRun, i + 1, 0, 200, 0);
    ExpectRecord(r[4], R::kFrameRun, 0, 0, 200, 0);
}

TEST(FrameScript, SemicolonFollowedByLineFeedIsSteppedOverAsOneSeparator) {
    // Counted as three statements, but the line feed after ";" is stepped over with it: the third
    // record is never reached and stays zero.
    auto r = ParseFrameScript(L"1;\n2");
    ASSERT_EQ(r.size(), 3u);
    ExpectRecord(r[0], R::kFrameRun, 1, 0, 200, 0);
    ExpectRecord(r[1], R::kFrameRun, 2, 0, 200, 0);
    ExpectRecord(r[2], 0, 0, 0, 0, 0);
}

TEST(FrameScript, TextBetweenThePartsIsIgnoredButTheLastFrameMustFollowItsDash) {
    ExpectRecord(ParseFrameScript(L"frames 2 to -4, every 30 ms")[0], R::kFrameRun, 2, 4, 30, 0);
    // After "-" the number is read at once: a space gives an empty last frame, and the 4 then
    // starts a second parse of the statement.
    ExpectRecord(ParseFrameScript(L"2 - 4")[0], R::kFrameRun, 4, 0, 200, 0);
}

TEST(FrameScript, AStrayDashStartsASecondParseThatReplacesTheRecord) {
    // "1-2" is parsed, then "-3" from the second dash, into the same record.
    ExpectRecord(ParseFrameScript(L"1-2-3")[0], R::kFrameRun, 0, 3, 200, 0);
    // A second comma likewise; its interval still becomes the default.
    auto r = ParseFrameScript(L"1,10,20;4");
    ExpectRecord(r[0], R::kFrameRun, 0, 0, 20, 0);
    ExpectRecord(r[1], R::kFrameRun, 4, 0, 20, 0);
}

TEST(FrameScript, LongNumbersAreCutToNineteenDigitsAndSaturate) {
    // The twentieth digit is not part of the value (but is moved past).
    ExpectRecord(ParseFrameScript(L"00000000000000000009")[0], R::kFrameRun, 0, 0, 200, 0);
    ExpectRecord(ParseFrameScript(L"0000000000000000007")[0], R::kFrameRun, 7, 0, 200, 0);
    auto r = ParseFrameScript(L"1,99999999999999999999999999;2");
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].interval, INT32_MAX);
    ExpectRecord(r[1], R::kFrameRun, 2, 0, INT32_MAX, 0);
}

TEST(FrameScript, EmptyStatementsBetweenSeparatorsAreFrameZero) {
    auto r = ParseFrameScript(L"1;;2");
    ASSERT_EQ(r.size(), 3u);
    ExpectRecord(r[1], R::kFrameRun, 0, 0, 200, 0);
    ExpectRecord(r[2], R::kFrameRun, 2, 0, 200, 0);
}
