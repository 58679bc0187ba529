// The gcc, json and sarif reports of tarvel-check as the tools that read them see them.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "ToolRunner.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

/// Where a tool that reads compiler output would jump for one line.
struct Jump {
    std::string file;
    int line = 0;
    int column = 0;
    std::string severity;  ///< "error", "warning"; Vim's pattern does not tell
    std::string message;

    bool operator==(const Jump&) const = default;
};

void PrintTo(const Jump& jump, std::ostream* out) {
    *out << jump.file << ":" << jump.line << ":" << jump.column << " [" << jump.severity << "]" << jump.message;
}

// Emacs compilation mode's `gnu' entry, its rx form written out as an ECMAScript pattern: an
// optional program name, the file (not all digits, no ": " or " -" inside), line, optional
// column or range, then the type of the message.
const std::regex kEmacsGnu(R"(^(?:[A-Za-z][-A-Za-z0-9.]+: ?|[ \t]+(?:in |from))?)"
                           R"(([0-9]*[^0-9\n](?:[^\n :]| [^-/\n]|:[^ \n])*?): ?([0-9]+))"
                           R"((?:-([0-9]+)(?:\.([0-9]+))?|[.:]([0-9]+)(?:-(?:([0-9]+)\.)?([0-9]+))?)?:)"
                           R"((?: *(FutureWarning|RuntimeWarning|Warning|warning|W:)|)"
                           R"( *([Ii]nfo(?:\b|rmationa?l?)|I:|instantiated from|required from|[Nn]ote)|)"
                           R"( *[Ee]rror|[0-9]?(?:[^0-9\n]|$)|[0-9][0-9][0-9]))");

Jump EmacsJump(const std::string& line) {
    std::smatch m;
    if (!std::regex_search(line, m, kEmacsGnu)) return {};
    const char* type = m[8].matched ? "warning" : m[9].matched ? "info" : "error";
    return {m[1], std::stoi(m[2]), m[5].matched ? std::stoi(m[5]) : 0, type, ""};
}

// Vim's default 'errorformat' up to the entry for FILE:LINE:COL:MESSAGE, each turned into the
// pattern Vim makes of it (%f before a literal is ".\{-1,}", %l and %c "\d\+", %m ".\+"); the
// first entry that matches decides, so the earlier ones must not.
Jump VimJump(const std::string& line) {
    static const std::regex kEarlier[] = {
        std::regex(R"re(^[^"]*"(.+?)"\D*(\d+): (.+)$)re"),  // %*[^"]"%f"%*\D%l: %m
        std::regex(R"re(^"(.+?)"\D*(\d+): (.+)$)re"),       // "%f"%*\D%l: %m
    };
    static const std::regex kFileLineColumn(R"(^(.+?):(\d+):(\d+):(.+)$)");  // %f:%l:%c:%m
    for (const std::regex& earlier : kEarlier) {
        if (std::regex_search(line, earlier)) return {};
    }
    std::smatch m;
    if (!std::regex_search(line, m, kFileLineColumn)) return {};
    return {m[1], std::stoi(m[2]), std::stoi(m[3]), "", m[4]};
}

// The $gcc problem matcher of VS Code's C/C++ extension.
Jump VsCodeJump(const std::string& line) {
    static const std::regex kGcc(R"(^(.*?):(\d+):(\d*):?\s+(?:fatal\s+)?(warning|error):\s+(.*)$)");
    std::smatch m;
    if (!std::regex_search(line, m, kGcc)) return {};
    return {m[1], std::stoi(m[2]), std::stoi(m[3]), m[4], m[5]};
}

struct GccCase {
    const char* name;
    const char* file;
    std::string script;
    const char* option;  ///< one more option, or ""
    int line;
    int column;
    const char* severity;
    std::string message;  ///< as written on the line
};

// Messages quote the script, so a script can put control bytes into a message; they must not
// move the jump. How a line break inside a message is written is pinned in ReportTest.
TEST(GccFormat, EmacsVimAndVsCodeJumpToThePlaceOfTheError) {
    const GccCase cases[] = {
        {"run error", "e.c", "int x;\r\nx = y + f(2);\r\nx = 1 +;\r\n", "", 3, 7, "error", "No R-value for '+'"},
        {"declined load error", "sub dir/load.c", "int x;\r\n  #foo\r\n", "", 2, 3, "error",
         "Invalid precompiler command: 'foo'"},
        {"load error answered Yes", "yes.c", "#foo\r\nint x;\r\n", "--continue-on-load-error", 1, 1, "warning",
         "Invalid precompiler command: 'foo'"},
        {"control byte in the message", "del.c", "int x;\r\nx = 1 \x7f 2;\r\n", "", 2, 7, "error",
         "Encountered invalid character: \\x7f (127)"},
        {"quote in the message", "quote.c", "x = 1 ` \"2\";\r\n", "", 1, 7, "error",
         "Encountered invalid character: ` (96)"},
    };
    for (const GccCase& row : cases) {
        SCOPED_TRACE(row.name);
        ScratchDir dir;
        std::filesystem::create_directory(dir.path + "/sub dir");
        dir.Write(row.file, row.script);
        std::vector<std::string> args = {"--no-log", "--format=gcc", row.file};
        if (*row.option != '\0') args.insert(args.begin(), row.option);
        const ToolRun run = RunTool(dir, args);
        const std::vector<std::string> lines = Lines(run.out);
        ASSERT_EQ(lines.size(), 1u) << run.out;
        const std::string& line = lines[0];
        EXPECT_EQ(line, std::string(row.file) + ":" + std::to_string(row.line) + ":" + std::to_string(row.column) +
                            ": " + row.severity + ": " + row.message);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(EmacsJump(line), (Jump{row.file, row.line, row.column, row.severity, ""}));
        EXPECT_EQ(VimJump(line),
                  (Jump{row.file, row.line, row.column, "", " " + (row.severity + (": " + row.message))}));
        EXPECT_EQ(VsCodeJump(line), (Jump{row.file, row.line, row.column, row.severity, row.message}));
    }
}

TEST(GccFormat, OneLinePerFailingFileInArgumentOrderAndNothingForValidOnes) {
    ScratchDir dir;
    dir.Write("good.c", "int x;\r\nx = y;\r\n");
    dir.Write("bad.c", "int x;\r\nx = 1\r\n");
    dir.Write("load.c", "#foo\r\n");
    const ToolRun run =
        RunTool(dir, {"--no-log", "--format", "gcc", "good.c", "bad.c", "-", "load.c", "good.c"}, "x = 1 +;");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              "bad.c:2:5: error: Unexpected end of file\n"
              "-:1:7: error: No R-value for '+'\n"
              "load.c:1:1: error: Invalid precompiler command: 'foo'\n");
    EXPECT_EQ(run.err, "");
}

TEST(JsonFormat, EveryFileGetsItsObjectAndItsLoadErrorOnStandardErrorNamesIt) {
    ScratchDir dir;
    dir.Write("good.c", "int x;");
    dir.Write("load.c", "int x;\r\n#foo\r\n");
    dir.Write("yes.c", "#foo\r\nreturn z;\r\n");
    ToolRun run = RunTool(dir, {"--no-log", "--json", "good.c", "load.c"});
    EXPECT_EQ(run.status, 1);
    const std::string loadError =
        R"({"component": "ScriptReader", "text": "file:'*inline*', line: 2: Invalid precompiler command: 'foo'\u000a\u000aint x;\u000a#foo\u000a", )"
        R"("line": 2, "column": 1, "message": "Invalid precompiler command: 'foo'", "phase": "load"})";
    EXPECT_EQ(Lines(run.out).at(1),
              R"({"file": "load.c", "ok": false, "message": "", "error": )" + loadError +
                  R"(, "externalVariables": [], "externalFunctions": [], "result": {"type": "Void"}, "loadError": )" +
                  loadError + R"(, "externals": []})");
    EXPECT_EQ(run.err,
              "load.c: Script Error: file:'*inline*', line: 2: Invalid precompiler command: 'foo'\n\nint x;\n#foo\n\n");

    run = RunTool(dir, {"--no-log", "--format=json", "--continue-on-load-error", "yes.c"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find(R"("ok": true, "message": "Validation successful", "error": null, )"), std::string::npos);
    EXPECT_NE(run.out.find(R"("loadError": {"component": "ScriptReader", )"), std::string::npos);
    EXPECT_NE(run.out.find(R"("externals": [{"name": "z", "kind": "variable", "line": 2, "column": 8}])"),
              std::string::npos);
    EXPECT_EQ(run.err.rfind("Script Error: ", 0), 0u);  // one file: as the editor's box shows it
}

TEST(TextFormat, ControlBytesOfTheScriptNeverReachTheTerminal) {
    ScratchDir dir;
    dir.Write("esc.c",
              "x = \"\x1b]0;owned\x07\" + \xc2\x9b"
              "31m;\r\n");
    const ToolRun run = RunTool(dir, {"--no-log", "esc.c", "esc.c"});
    EXPECT_EQ(run.out.find('\x1b'), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find('\x07'), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("\xc2\x9b"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("x = \"\\x1b]0;owned\\x07\" + \\xc2\\x9b31m;\n"), std::string::npos) << run.out;
}

TEST(ReadingInput, AnEndlessStreamOfNulsIsAnEmptyScript) {
    ScratchDir dir;
    const ToolRun run = RunTool(dir, {"--no-log", "/dev/zero"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Validation successful\nexternal variables used:\nexternal functions used:\n");
}

// The main thread's stack holds no read buffer, so a tight stack limit costs nothing.
TEST(ReadingInput, ASmallStackLimitIsEnough) {
    ScratchDir dir;
    dir.Write("good.c", "int x;\r\nx = y;\r\n");
    const std::string command =
        "cd '" + dir.path + "' && ulimit -s 64 && '" TARVEL_CHECK_PATH "' --no-log good.c >out 2>&1";
    const int waitStatus = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(waitStatus));
    EXPECT_EQ(WEXITSTATUS(waitStatus), 0);
    EXPECT_EQ(dir.Read("out"), "Validation successful\nexternal variables used:\n  y\nexternal functions used:\n");
}

}  // namespace
