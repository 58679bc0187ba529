// tarvel-check -j: files on several threads with output, log and exit status as with one,
// and a log that stays whole however many threads and processes write to it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "ToolRunner.h"

namespace {

// Every kind of outcome, and scripts whose reports depend on the numbers rand draws: an
// index taken from rand is named in the message, a returned rand value in the JSON result.
void WriteMixedFiles(const ScratchDir& dir) {
    dir.Write("good.c", "int x;\r\nx = y + f(2);\r\n");
    dir.Write("bad.c", "int x;\r\nx = 1\r\n");
    dir.Write("load.c", "#foo\r\nint x;\r\nx = q + 1;\r\n");
    dir.Write("nested.c", "int f(int n) {\r\n  return n + \"s\";\r\n}\r\nf(1);\r\n");
    dir.Write("index.c", "int i;\r\ni = rand() * 1000000 + 5;\r\nint a[2];\r\na[i] = 1;\r\n");
    dir.Write("value.c", "float g(int n) { return rand() + n; }\r\nreturn g(1) + g(2);\r\n");
    std::filesystem::create_directory(dir.path + "/folder.c");
}

const std::vector<std::string> kMixedFiles = {
    "index.c",  "good.c",  "value.c", "bad.c",   "missing.c", "load.c", "index.c", "folder.c", "-",
    "nested.c", "value.c", "good.c",  "index.c", "load.c",    "bad.c",  "-",       "value.c",  "index.c",
};
// Standard input is read by the first "-" alone, whatever the number of jobs.
const std::string kInput = "int i;\r\ni = rand() * 1000 + 2;\r\nint a[2];\r\na[i] = 1;\r\n";

// Log lines without their clock and memory figures, which no two runs share.
std::string Timeless(const std::string& log) {
    static const std::regex figures(R"(\(Time:[0-9]+\.[0-9]{2}, free sysmem:[0-9]+\)\n)");
    return std::regex_replace(log, figures, "(T)\n");
}

std::vector<std::string> With(std::vector<std::string> options, const std::vector<std::string>& files) {
    options.insert(options.end(), files.begin(), files.end());
    return options;
}

TEST(Jobs, OutputErrorsStatusAndLogAreThoseOfOneJob) {
    ScratchDir dir;
    WriteMixedFiles(dir);
    const std::vector<std::vector<std::string>> modes = {
        {}, {"--json"}, {"--continue-on-load-error"}, {"--format=gcc"}, {"--format=sarif"}};
    for (const auto& mode : modes) {
        const ToolRun one = RunTool(dir, With(mode, kMixedFiles), kInput);
        const std::string oneLog = Timeless(dir.Read("logfile.txt"));
        ASSERT_EQ(one.status, 2);
        ASSERT_NE(one.out.find("Index "), std::string::npos);
        for (const char* jobs : {"2", "3", "16"}) {
            std::vector<std::string> options = mode;
            options.insert(options.begin(), {"-j", jobs});
            const ToolRun many = RunTool(dir, With(options, kMixedFiles), kInput);
            const std::string label = std::string("-j ") + jobs + (mode.empty() ? "" : " " + mode[0]);
            EXPECT_EQ(many.status, one.status) << label;
            EXPECT_EQ(many.out, one.out) << label;
            EXPECT_EQ(many.err, one.err) << label;
            EXPECT_EQ(Timeless(dir.Read("logfile.txt")), oneLog) << label;
        }
    }
}

// Standard output and error into one file: the messages stand between the reports where
// one job puts them.
TEST(Jobs, OutputAndErrorsInterleaveAsWithOneJob) {
    ScratchDir dir;
    WriteMixedFiles(dir);
    dir.Write("input.c", kInput);
    const auto combined = [&](const std::string& jobs) {
        std::string command = "cd '" + dir.path + "' && '" TARVEL_CHECK_PATH "' --continue-on-load-error -j " + jobs;
        for (const std::string& file : kMixedFiles) command += " " + file;
        EXPECT_NE(std::system((command + " <input.c >combined.txt 2>&1").c_str()), -1);
        return dir.Read("combined.txt");
    };
    const std::string one = combined("1");
    ASSERT_NE(one.find("Script Error"), std::string::npos);
    EXPECT_EQ(combined("4"), one);
}

TEST(LogFile, ALinkUnderItsNameIsNeitherFollowedNorReplaced) {
    ScratchDir dir;
    dir.Write("bad.c", "int x;\r\nx = 1\r\n");
    dir.Write("precious.txt", "keep me\n");
    std::filesystem::create_symlink("precious.txt", dir.path + "/logfile.txt");
    const ToolRun run = RunTool(dir, {"-j", "2", "bad.c", "bad.c"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(dir.Read("precious.txt"), "keep me\n");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path + "/logfile.txt"));
}

// Eight processes at once, each logging entries of its own length: every entry must come out
// whole. A first entry written from the start of the file instead of its end overwrote
// entries the others had appended; this caught that in most runs.
TEST(LogFile, EightProcessesAtOnceNeverGarbleIt) {
    ScratchDir dir;
    std::string command = "cd '" + dir.path + "' && for p in 1 2 3 4 5 6 7 8; do '" TARVEL_CHECK_PATH "'";
    for (int file = 0; file < 24; ++file) command += " p$p.c";
    command += " >/dev/null 2>&1 & done; wait";
    std::vector<std::string> messages;
    for (int p = 1; p <= 8; ++p) {
        // Names of different lengths give each process's entries a length of their own.
        const std::string name = std::string(static_cast<size_t>(p) * 7, 'v');
        dir.Write("p" + std::to_string(p) + ".c", "int x;\r\nx = " + name + " +;\r\n");
        messages.push_back("Error:ScriptReader: file:'*inline*', line: 2: No R-value for '+'\n\nint x;\nx = " + name +
                           " +;\n");
    }
    const std::regex entry(R"(([\s\S]*?) \(Time:[0-9]+\.[0-9]{2}, free sysmem:[0-9]+\)\n)");
    for (int round = 0; round < 6; ++round) {
        ASSERT_NE(std::system(command.c_str()), -1);
        const std::string log = dir.Read("logfile.txt");
        size_t wholeEntries = 0;
        size_t covered = 0;
        for (std::sregex_iterator it(log.begin(), log.end(), entry), end; it != end; ++it) {
            if (static_cast<size_t>(it->position()) != covered) break;
            const std::string message = (*it)[1];
            if (std::find(messages.begin(), messages.end(), message) == messages.end()) break;
            covered += static_cast<size_t>(it->length());
            ++wholeEntries;
        }
        ASSERT_EQ(covered, log.size()) << "round " << round << ", after " << wholeEntries << " whole entries:\n"
                                       << log.substr(covered, 300);
        ASSERT_GE(wholeEntries, 24u) << "round " << round;
    }
}

}  // namespace
