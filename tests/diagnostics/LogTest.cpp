#include "diagnostics/Log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/LogCapture.h"

namespace {

TEST(Log, EntryShowsElapsedTimeSinceFirstEntryAndMemoryInWholeMebibytes) {
    LogCapture log;
    Log("%s %i", "first", 1);
    log.clock += 2.5;
    Log("second");
    EXPECT_EQ(log.Contents(), "first 1 (Time:0.00, free sysmem:1501)\n"
                              "second (Time:2.50, free sysmem:1501)\n");
    EXPECT_EQ(RoundToMebibytes((1ull << 19) - 1), 0);
    EXPECT_EQ(RoundToMebibytes(1ull << 19), 1);
}

TEST(Log, FirstEntryOfAProcessTruncatesLaterEntriesAppend) {
    LogCapture log;
    std::ofstream(log.directory / "logfile.txt") << "left from an earlier run\n";
    Log("one");
    Log("two");
    EXPECT_EQ(log.Contents(), LogCapture::Entries({"one", "two"}));

    log.RestartProcess();
    Log("three");
    EXPECT_EQ(log.Contents(), LogCapture::Entries({"three"}));
}

TEST(Log, DirectoryIsFixedByTheFirstEntry) {
    LogCapture log;
    const auto first = log.directory;
    Log("here");
    log.directory = first / "elsewhere";
    Log("still here");
    EXPECT_EQ(ReadFile(first / "logfile.txt"), LogCapture::Entries({"here", "still here"}));
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
    EXPECT_TRUE(EndsWith(log.Contents(),
                         LogCapture::Entries({"entry 4024"}) + "Maximum number of log entries reached!\n"));
}

TEST(Log, SystemEnvironmentWritesIntoTheCurrentDirectoryWithoutLeavingIt) {
    ResetLogForTesting();
    const auto cwd = std::filesystem::current_path();
    Log("system");
    EXPECT_EQ(std::filesystem::current_path(), cwd);
    const std::string contents = ReadFile(cwd / "logfile.txt");
    EXPECT_EQ(contents.rfind("system (Time:0.00, free sysmem:", 0), 0u) << contents;
    EXPECT_EQ(contents.find("free sysmem:0)"), std::string::npos) << "MemAvailable not read";
    ResetLogForTesting();
}

}  // namespace
