#include "base/path_text.h"

#include <gtest/gtest.h>

using namespace pathtext;

TEST(PathText, ParentFolderDropsTheLastElementAndItsSeparators) {
    EXPECT_EQ(ParentFolder(L"C:\\Users\\Public\\Themes\\a.morvanta"), L"C:\\Users\\Public\\Themes");
    EXPECT_EQ(ParentFolder(L"C:\\Themes\\\\a.morvanta"), L"C:\\Themes");
    EXPECT_EQ(ParentFolder(L"C:/Themes/a.morvanta"), L"C:/Themes");
    EXPECT_EQ(ParentFolder(L"C:\\a.morvanta"), L"C:\\");
    EXPECT_EQ(ParentFolder(L"\\\\server\\share\\a.morvanta"), L"\\\\server\\share");
}

TEST(PathText, ABareFileNameHasAnEmptyParent) {
    EXPECT_EQ(ParentFolder(L"theme.morvanta"), L"");
    EXPECT_FALSE(SamePath(ParentFolder(L"theme.morvanta"), L"C:\\Themes"));
}

TEST(PathText, SamePathTreatsSeparatorsAlikeButLetterCaseNot) {
    EXPECT_TRUE(SamePath(L"C:\\A\\Themes", L"C:/A//Themes"));
    EXPECT_TRUE(SamePath(L"C:\\A\\Themes\\", L"C:\\A\\Themes"));
    EXPECT_FALSE(SamePath(L"C:\\A\\Themes", L"C:\\a\\themes"));
    EXPECT_FALSE(SamePath(L"C:\\A\\Themes", L"C:\\A\\Themes\\Preview"));
    EXPECT_FALSE(SamePath(L"C:\\A", L"C:A"));  // rooted and drive-relative differ
}

TEST(PathText, FileNameAndStem) {
    EXPECT_EQ(FileName(L"C:\\a\\b.morvanta"), L"b.morvanta");
    EXPECT_EQ(FileName(L"C:/a/b"), L"b");
    EXPECT_EQ(Stem(L"x/archive.tar.gz"), L"archive.tar");
    EXPECT_EQ(Stem(L"x/.hidden"), L".hidden");
}

TEST(PathText, MaxPathCountsTheTerminator) {
    EXPECT_TRUE(FitsMaxPath(std::wstring(259, L'a')));
    EXPECT_FALSE(FitsMaxPath(std::wstring(260, L'a')));
}
