#include "app/install_queue.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <future>
#include <map>
#include <mutex>

namespace {

// Records what the queue asks of the platform; copies succeed unless the source is listed as failing.
class FakePlatform final : public InstallPlatform {
public:
    std::wstring themes = L"C:\\Users\\Public\\Documents\\Halberon\\Morvanta\\Themes";
    std::map<std::wstring, std::string> failingSources;
    std::vector<std::pair<std::wstring, std::wstring>> copies;
    std::vector<SummaryMessage> summaries;

    bool ThemesFolder(std::wstring& folder) override {
        folder = themes;
        return true;
    }
    bool CopyReplacing(const std::wstring& source, const std::wstring& destination, std::string& reason) override {
        auto failing = failingSources.find(source);
        if (failing != failingSources.end()) {
            reason = failing->second;
            return false;
        }
        copies.emplace_back(source, destination);
        return true;
    }
    void ShowSummary(const SummaryMessage& message) override { summaries.push_back(message); }
};

}  // namespace

TEST(InstallBatch, CopiesIntoTheThemesFolderUnderTheFileName) {
    FakePlatform platform;
    const InstallReport report = InstallBatch({L"D:\\dl\\Blue.morvanta", L"rel.tolvxtheme"}, platform);
    ASSERT_EQ(platform.copies.size(), 2u);
    EXPECT_EQ(platform.copies[0].second, platform.themes + L"\\Blue.morvanta");
    EXPECT_EQ(platform.copies[1].first, L"rel.tolvxtheme");  // relative: resolved by the current folder
    EXPECT_EQ(report.installed, (std::vector<std::wstring>{L"\"Blue\"", L"\"rel\""}));
    EXPECT_TRUE(report.failed.empty());
}

TEST(InstallBatch, AFileAlreadyInTheThemesFolderIsNotCopied) {
    FakePlatform platform;
    const InstallReport report =
        InstallBatch({L"C:/Users/Public/Documents/Halberon/Morvanta/Themes/Red.morvanta"}, platform);
    EXPECT_TRUE(platform.copies.empty());
    ASSERT_EQ(report.failed.size(), 1u);
    EXPECT_EQ(report.failed[0].name, L"\"Red\"");
    EXPECT_EQ(report.failed[0].reason, kAlreadyInstalledReason);
}

TEST(InstallBatch, CopyFailuresCarryTheReasonAndTheBatchGoesOn) {
    FakePlatform platform;
    platform.failingSources[L"D:\\gone.morvanta"] = "The system cannot find the file specified.";
    const InstallReport report = InstallBatch({L"D:\\gone.morvanta", L"D:\\ok.morvanta"}, platform);
    ASSERT_EQ(report.failed.size(), 1u);
    EXPECT_EQ(report.failed[0].reason, "The system cannot find the file specified.");
    EXPECT_EQ(report.installed, std::vector<std::wstring>{L"\"ok\""});
}

TEST(InstallBatch, PathsTooLongForMaxPathFailWithAReasonInsteadOfOverflowing) {
    FakePlatform platform;
    const std::wstring longName = std::wstring(250, L'n') + L".morvanta";
    const InstallReport report = InstallBatch({L"D:\\" + longName}, platform);
    EXPECT_TRUE(platform.copies.empty());
    ASSERT_EQ(report.failed.size(), 1u);
    EXPECT_FALSE(report.failed[0].reason.empty());
}

TEST(InstallQueue, ArrivalsWithinTheQuietTimeFormOneBatchInArrivalOrder) {
    FakePlatform platform;
    {
        InstallQueue queue(platform, std::chrono::milliseconds(100));
        for (int i = 1; i <= 5; ++i) queue.Add(L"\"D:\\dl\\T" + std::to_wstring(i) + L".morvanta\"");
        queue.WaitUntilIdle();
    }
    ASSERT_EQ(platform.summaries.size(), 1u);
    EXPECT_EQ(platform.summaries[0].caption, L"Themes Installed");
    EXPECT_EQ(platform.summaries[0].text, L"Installed the following themes:\n\n\"T1\"\n\"T2\"\n\"T3\"\n\"T4\"\n\"T5\"");
    ASSERT_EQ(platform.copies.size(), 5u);
    EXPECT_EQ(platform.copies[0].first, L"D:\\dl\\T1.morvanta");  // quotes removed
}

TEST(InstallQueue, AnArrivalAfterABatchStartsANewOne) {
    FakePlatform platform;
    InstallQueue queue(platform, std::chrono::milliseconds(20));
    queue.Add(L"D:\\a.morvanta");
    queue.WaitUntilIdle();
    queue.Add(L"D:\\b.morvanta");
    queue.WaitUntilIdle();
    ASSERT_EQ(platform.summaries.size(), 2u);
    EXPECT_EQ(platform.summaries[1].text, L"Installed \"b\".");
}

// A summary waits for the user for as long as the user likes. Meanwhile a file can be queued at
// once (the window's thread queues files and must never wait for the user); it makes the next
// batch, run when the summary has been dismissed.
class WaitingPlatform final : public InstallPlatform {
public:
    bool ThemesFolder(std::wstring& folder) override {
        folder = L"C:\\Themes";
        return true;
    }
    bool CopyReplacing(const std::wstring&, const std::wstring&, std::string&) override { return true; }
    void ShowSummary(const SummaryMessage& message) override {
        std::unique_lock<std::mutex> guard(mutex);
        summaries.push_back(message.text);
        changed.notify_all();
        changed.wait(guard, [&] { return dismissed >= summaries.size(); });
    }
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::wstring> summaries;
    size_t dismissed = 0;
};

TEST(InstallQueue, AFileArrivingWhileASummaryShowsIsQueuedAtOnceAndMakesTheNextBatch) {
    WaitingPlatform platform;
    InstallQueue queue(platform, std::chrono::milliseconds(20));
    queue.Add(L"D:\\a.morvanta");
    {
        std::unique_lock<std::mutex> guard(platform.mutex);
        platform.changed.wait(guard, [&] { return platform.summaries.size() == 1; });
    }
    // The summary still waits for the user; the next arrival does not.
    auto arrival = std::async(std::launch::async, [&] { queue.Add(L"D:\\b.morvanta"); });
    const bool queuedAtOnce = arrival.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    EXPECT_TRUE(queuedAtOnce) << "queueing waited for the summary to be dismissed";
    {
        std::lock_guard<std::mutex> guard(platform.mutex);
        EXPECT_EQ(platform.summaries.size(), 1u);
        platform.dismissed = 1;
    }
    platform.changed.notify_all();
    {
        std::unique_lock<std::mutex> guard(platform.mutex);
        platform.changed.wait(guard, [&] { return platform.summaries.size() == 2; });
        EXPECT_EQ(platform.summaries[1], L"Installed \"b\".");
        platform.dismissed = 2;
    }
    platform.changed.notify_all();
    arrival.wait();
    queue.WaitUntilIdle();
}

TEST(InstallBatch, ConvertersTakeTheirExtensionInAnyCaseAndTheSummaryNamesTheFileWritten) {
    FakePlatform platform;
    std::vector<std::wstring> converted;
    const std::vector<InstallConverter> converters = {
        {L".inf",
         [&](const std::wstring& source, const std::wstring& themes, std::wstring& destination, std::string& reason) {
             converted.push_back(source);
             if (source.find(L"bad") != std::wstring::npos) {
                 reason = "bad.cur: damaged";
                 return false;
             }
             destination = themes + L"\\Scheme " + std::to_wstring(converted.size()) + L".morvanta";
             return true;
         }}};
    const InstallReport report =
        InstallBatch({L"D:\\a\\install.INF", L"D:\\b\\bad.inf", L"D:\\c\\x.inf.morvanta", platform.themes + L"\\y.inf"},
                     platform, converters);
    EXPECT_EQ(converted,
              (std::vector<std::wstring>{L"D:\\a\\install.INF", L"D:\\b\\bad.inf", platform.themes + L"\\y.inf"}));
    EXPECT_EQ(report.installed, (std::vector<std::wstring>{L"\"Scheme 1\"", L"\"x.inf\"", L"\"Scheme 3\""}));
    ASSERT_EQ(report.failed.size(), 1u);
    EXPECT_EQ(report.failed[0].name, L"\"bad\"");
    EXPECT_EQ(report.failed[0].reason, "bad.cur: damaged");
    ASSERT_EQ(platform.copies.size(), 1u);  // only the theme file is copied
}

TEST(InstallQueue, QueuedFilesReachTheConverters) {
    FakePlatform platform;
    int calls = 0;
    {
        InstallQueue queue(
            platform, std::chrono::milliseconds(10),
            {{L".inf", [&](const std::wstring&, const std::wstring& themes, std::wstring& destination, std::string&) {
                  ++calls;
                  destination = themes + L"\\Dots.morvanta";
                  return true;
              }}});
        queue.Add(L"\"E:\\s\\install.inf\"");
        queue.WaitUntilIdle();
    }
    EXPECT_EQ(calls, 1);
    ASSERT_EQ(platform.summaries.size(), 1u);
    EXPECT_EQ(platform.summaries[0].text, L"Installed \"Dots\".");
}
