#include "graphics/animation_script.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::shared_ptr<RepeatElement> Tree(const wchar_t* script) {
    return BuildAnimationTree(ParseFrameScript(script));
}

}  // namespace

TEST(AnimationScript, TwoRunsPlayInOrderAndLoop) {
    auto root = Tree(L"1-3,100;5,50");
    EXPECT_EQ(root->Duration(), 350);
    EXPECT_EQ(root->FrameAt(0), 0);
    EXPECT_EQ(root->FrameAt(199), 1);
    EXPECT_EQ(root->FrameAt(299), 2);
    EXPECT_EQ(root->FrameAt(320), 4);
    EXPECT_EQ(root->FrameAt(360), 0);
}

TEST(AnimationScript, DescendingRangeRunsDownward) {
    auto root = Tree(L"5-1,50");
    EXPECT_EQ(root->Duration(), 250);
    EXPECT_EQ(root->FrameAt(0), 4);
    EXPECT_EQ(root->FrameAt(249), 0);
}

TEST(AnimationScript, NestedGroupPlaysOncePerPassWhateverItsCount) {
    auto root = Tree(L"1,100;repeat 3;2-3,100;end repeat;4,100");
    ASSERT_EQ(root->Children().size(), 3u);
    auto group = std::dynamic_pointer_cast<RepeatElement>(root->Children().at(100));
    ASSERT_TRUE(group);
    EXPECT_EQ(group->Count(), 3);
    EXPECT_EQ(root->Duration(), 400);
    EXPECT_EQ(root->FrameAt(150), 1);
    EXPECT_EQ(root->FrameAt(250), 2);
    EXPECT_EQ(root->FrameAt(350), 3);
}

TEST(AnimationScript, EmptyScriptsAndGroupsAnswerFrameZero) {
    EXPECT_EQ(Tree(L"")->FrameAt(1234), 0);
    auto endFirst = Tree(L"end repeat;1-4,100");  // the first statement ends the build
    EXPECT_TRUE(endFirst->Children().empty());
    EXPECT_EQ(endFirst->FrameAt(50), 0);
    EXPECT_EQ(Tree(L"repeat 2;end repeat")->FrameAt(10), 0);
}

TEST(AnimationScript, UnclosedGroupIsUsedAsBuilt) {
    auto root = Tree(L"1,100;repeat 2;2,100");
    EXPECT_EQ(root->Duration(), 200);
    EXPECT_EQ(root->FrameAt(150), 1);
}

TEST(AnimationScript, FrameZeroNeverBecomesIndexMinusOne) {
    // The trailing separator makes a frame-0 statement; it is skipped.
    auto root = Tree(L"2,100\n");
    EXPECT_EQ(root->Duration(), 100);
    // A range from frame 0 starts at the first frame.
    auto range = Tree(L"0-3,10");
    EXPECT_EQ(range->Duration(), 30);
    EXPECT_EQ(range->FrameAt(0), 0);
    EXPECT_EQ(range->FrameAt(29), 2);
}

TEST(AnimationScript, ZeroIntervalRunsTakeNoTime) {
    auto root = Tree(L"1,0;2,100");
    EXPECT_EQ(root->Duration(), 100);
    EXPECT_EQ(root->FrameAt(50), 1);
}

TEST(AnimationScript, HugeRangesCostNoMemoryAndDoNotOverflow) {
    auto root = Tree(L"2147483647-1,2147483647;1-2147483647,2147483647;7,5");
    EXPECT_GT(root->Duration(), 0);
    EXPECT_EQ(root->FrameAt(0), 2147483646);
    EXPECT_EQ(root->FrameAt(2147483647), 2147483645);
}

TEST(AnimationScript, DeepNestingIsFoldedWithoutChangingTheTiming) {
    std::wstring script;
    for (int i = 0; i < 5000; ++i) script += L"repeat 2;";
    script += L"1-2,100;";
    for (int i = 0; i < 5000; ++i) script += L"end repeat;";
    script += L"3,100";
    auto root = Tree(script.c_str());
    EXPECT_EQ(root->Duration(), 300);
    EXPECT_EQ(root->FrameAt(150), 1);
    EXPECT_EQ(root->FrameAt(250), 2);  // the frame after all the groups closed
}
