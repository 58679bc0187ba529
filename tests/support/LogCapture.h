#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>

#include "diagnostics/ErrorClass.h"
#include "diagnostics/Log.h"

/// The bytes of a file; empty when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

/// Points the log at a directory of the running test, with a clock standing still and a fixed
/// memory figure, and starts diagnostics as a fresh process would.
class LogCapture {
public:
    LogCapture() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string leaf = std::string(info->test_suite_name()) + "." + info->name();
        for (char& c : leaf) c = (c == '/') ? '_' : c;
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

    /// Starts the log afresh, as the first entry of a new process finds it.
    void RestartProcess() {
        // 1500 MiB plus 600 KiB, which an entry shows as 1501.
        SetLogEnvironmentForTesting({[this] { return clock; }, [] { return (1500ull << 20) + 600 * 1024; },
                                     [this] { return directory.string(); }});
    }

    /// The log file's contents.
    std::string Contents() const { return ReadFile(directory / "logfile.txt"); }

    /// The entries for these messages, as written while the clock stands still.
    static std::string Entries(std::initializer_list<const char*> messages) {
        std::string text;
        for (const char* message : messages) text += std::string(message) + " (Time:0.00, free sysmem:1501)\n";
        return text;
    }

    double clock = 100.0;             ///< what the log's clock reads
    std::filesystem::path directory;  ///< what the log sees as the current directory
};

/// True when text ends with tail.
inline bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}
