#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "diagnostics/ErrorClass.h"
#include "diagnostics/Log.h"

/// Points the log at a directory of the running test, with a pinned clock and memory figure,
/// and starts diagnostics as a fresh process would; restores the system environment afterwards.
class LogCapture {
public:
    static constexpr std::uint64_t kMemoryBytes = (1500ull << 20) + 600 * 1024;  // shows as 1501

    LogCapture() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string leaf = std::string(info->test_suite_name()) + "." + info->name();
        for (char& c : leaf) {
            if (c == '/') c = '_';
        }
        directory = std::filesystem::current_path() / "logs" / leaf;
        std::filesystem::remove_all(directory);
        std::filesystem::create_directories(directory);
        RestartProcess();
        ResetDiagnosticsForTesting();
    }
    ~LogCapture() {
        ResetLogForTesting();
        ResetDiagnosticsForTesting();
    }

    /// Starts the log afresh, as the first entry of a new process would find it.
    void RestartProcess() {
        SetLogEnvironmentForTesting({[this] { return clock; }, [] { return kMemoryBytes; },
                                     [this] { return directory.string(); }});
    }

    /// Everything in the log file so far.
    std::string Contents() const { return ReadFile(directory / "logfile.txt"); }

    /// The text of one log entry for message, as written while the clock stands still.
    static std::string Entry(const std::string& message) {
        return message + " (Time:0.00, free sysmem:1501)\n";
    }

    static std::string ReadFile(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    double clock = 100.0;               ///< what the log's clock reads
    std::filesystem::path directory;    ///< where the log file goes
};
