#include "diagnostics/Log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/LogCapture.h"

namespace {

TEST(Log, EntryShowsElapsedTimeSinceFirstEntryAndFreeMemory) {
    LogCapture log;
    Log("%s %i", "first", 1);
    log.clock += 2.5;
    Log("second");
    EXPECT_EQ(log.Contents(), "first 1 (Time:0.00, free sysmem:1501)\n"
                              "second (Time:2.50, free sysmem:1501)\n");
}

TEST(Log, MemoryIsRoundedToTheNearestMebibyte) {
    const struct {
        std::uint64_t bytes;
        int mebibytes;
    } cases[] = {
        {0, 0},
        {(1ull << 19) - 1, 0},
        {1ull << 19, 1},
        {(1500ull << 20) + 600 * 1024, 1501},
        {(1500ull << 20) + 500 * 1024, 1500},
    };
    for (const auto& c : cases) EXPECT_EQ(RoundToMebibytes(c.bytes), c.mebibytes) << c.bytes;
}

TEST(Log, FirstEntryOfAProcessTruncatesLaterEntriesAppend) {
    LogCapture log;
    std::ofstream(log.directory / "logfile.txt") << "left from an earlier run\n";
    Log("one");
    Log("two");
    EXPECT_EQ(log.Contents(), LogCapture::Entry("one") + LogCapture::Entry("two"));

    log.RestartProcess();
    Log("three");
    EXPECT_EQ(log.Contents(), LogCapture::Entry("three"));
}

TEST(Log, DirectoryIsFixedByTheFirstEntry) {
    LogCapture log;
    const auto first = log.directory;
    Log("here");
    log.directory = first / "elsewhere";
    std::filesystem::create_directories(log.directory);
    Log("still here");
    EXPECT_EQ(LogCapture::ReadFile(first / "logfile.txt"),
              LogCapture::Entry("here") + LogCapture::Entry("still here"));
    EXPECT_FALSE(std::filesystem::exists(log.directory / "logfile.txt"));
}

TEST(Log, FileThatCannotBeOpenedLosesTheEntrySilently) {
    LogCapture log;
    log.directory /= "missing";
    Log("lost");
    EXPECT_EQ(LogEntryCount(), 0);
}

TEST(Log, StopsAfter4024Entries) {
    LogCapture log;
    for (int i = 1; i <= 4025; ++i) Log("entry %d", i);
    EXPECT_EQ(LogEntryCount(), 4024);
    const std::string tail = LogCapture::Entry("entry 4024") + "Maximum number of log entries reached!\n";
    const std::string contents = log.Contents();
    ASSERT_GE(contents.size(), tail.size());
    EXPECT_EQ(contents.substr(contents.size() - tail.size()), tail);
}

TEST(Log, SystemEnvironmentWritesIntoTheCurrentDirectoryWithoutLeavingIt) {
    ResetLogForTesting();
    const auto cwd = std::filesystem::current_path();
    Log("system");
    EXPECT_EQ(std::filesystem::current_path(), cwd);
    const std::string contents = LogCapture::ReadFile(cwd / "logfile.txt");
    EXPECT_EQ(contents.rfind("system (Time:0.00, free sysmem:", 0), 0u) << contents;
    EXPECT_EQ(contents.find("free sysmem:0)"), std::string::npos) << "MemAvailable not read";
    ResetLogForTesting();
}

}  // namespace
