#include "diagnostics/Log.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "support/LogCapture.h"

namespace {

TEST(Log, EntryShowsElapsedTimeSinceFirstEntryAndMemoryInWholeMebibytes) {
    LogCapture log;
    Log("%s %i", "first", 1);
    log.clock += 2.5;
    Log("second");
    EXPECT_EQ(log.Contents(),
              "first 1 (Time:0.00, free sysmem:1501)\n"
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
    EXPECT_TRUE(
        EndsWith(log.Contents(), LogCapture::Entries({"entry 4024"}) + "Maximum number of log entries reached!\n"));
}

// A logfile.txt planted as a link must not let a validation truncate or fill the file it
// points to; nor may anything but a regular file be written, or block the log.
TEST(Log, WritesOnlyARegularFileAndNeverFollowsALink) {
    namespace fs = std::filesystem;
    const struct {
        const char* name;
        void (*plant)(const fs::path& log, const fs::path& target);
    } cases[] = {
        {"link to a file",
         [](const fs::path& log, const fs::path& target) {
             std::ofstream(target) << "precious\n";
             fs::create_symlink(target, log);
         }},
        {"dangling link", [](const fs::path& log, const fs::path& target) { fs::create_symlink(target, log); }},
        {"directory", [](const fs::path& log, const fs::path&) { fs::create_directory(log); }},
        {"FIFO without reader", [](const fs::path& log, const fs::path&) { mkfifo(log.c_str(), 0600); }},
    };
    for (const auto& c : cases) {
        LogCapture log;
        const fs::path logFile = log.directory / "logfile.txt";
        const fs::path target = log.directory / "target.txt";
        c.plant(logFile, target);
        const bool targetExisted = fs::exists(target);
        const fs::file_type planted = fs::symlink_status(logFile).type();
        Log("first");
        Log("second");
        EXPECT_EQ(LogEntryCount(), 0) << c.name;
        EXPECT_EQ(fs::exists(target), targetExisted) << c.name;
        if (targetExisted) {
            EXPECT_EQ(ReadFile(target), "precious\n") << c.name;
        }
        EXPECT_EQ(fs::symlink_status(logFile).type(), planted) << c.name;
    }
}

TEST(Log, HeldEntriesKeepTheirTimeAndAreWrittenInTheirOrderWhenAsked) {
    LogCapture log;
    HeldLogEntries first;
    HeldLogEntries second;
    {
        const LogHold hold(&second);
        Log("b1");
        log.clock += 1.0;
        {
            const LogHold inner(&first);
            Log("a1");
        }
        Log("b2");
        EXPECT_EQ(CurrentLogHold(), &second);
    }
    EXPECT_EQ(CurrentLogHold(), nullptr);
    EXPECT_EQ(log.Contents(), "");
    // Holding is per thread: another one logs straight to the file meanwhile.
    std::thread([] { Log("direct"); }).join();
    WriteHeldEntries(first);
    WriteHeldEntries(second);
    EXPECT_TRUE(second.entries.empty());
    EXPECT_EQ(LogEntryCount(), 4);
    EXPECT_EQ(log.Contents(),
              "direct (Time:0.00, free sysmem:1501)\n"
              "a1 (Time:1.00, free sysmem:1501)\n"
              "b1 (Time:0.00, free sysmem:1501)\n"
              "b2 (Time:1.00, free sysmem:1501)\n");
}

TEST(Log, SystemEnvironmentWritesIntoTheCurrentDirectoryWithoutLeavingIt) {
    // The system's directory and memory figure, but a clock that stands still: on a busy
    // machine the real one can pass 5 ms between the first entry's start and its write.
    SetLogEnvironmentForTesting({[] { return 7.0; }, {}, {}});
    const auto cwd = std::filesystem::current_path();
    Log("system");
    EXPECT_EQ(std::filesystem::current_path(), cwd);
    const std::string contents = ReadFile(cwd / "logfile.txt");
    ASSERT_EQ(contents.rfind("system (Time:0.00, free sysmem:", 0), 0u) << contents;
    EXPECT_NE(contents.find(", free sysmem:"), std::string::npos) << contents;
    EXPECT_EQ(contents.find("free sysmem:0)"), std::string::npos) << "MemAvailable not read";
    ResetLogForTesting();
}

}  // namespace
