#pragma once
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

/// A private directory for one test, removed with everything in it at the end.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tarvel-cli-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        path = pattern;
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    /// Writes the bytes into the named file of the directory.
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path + "/" + name, std::ios::binary) << bytes;
    }
    /// The bytes of the named file of the directory; empty when there is none.
    std::string Read(const std::string& name) const {
        std::ostringstream text;
        text << std::ifstream(path + "/" + name, std::ios::binary).rdbuf();
        return text.str();
    }

    std::string path;  ///< the directory
};

/// What one run of tarvel-check left behind.
struct ToolRun {
    int status = -1;  ///< exit status as the shell saw it; -1 when no shell could run
    std::string out;  ///< standard output
    std::string err;  ///< standard error
};

/// Runs the built tarvel-check inside the directory with the arguments and standard input.
inline ToolRun RunTool(const ScratchDir& dir, const std::vector<std::string>& args, const std::string& input = "") {
    dir.Write(".tool-stdin", input);
    // Every word goes to the shell in single quotes; no test argument holds one itself.
    std::string command = "cd '" + dir.path + "' && '" TARVEL_CHECK_PATH "'";
    for (const std::string& arg : args) command += " '" + arg + "'";
    const int waitStatus = std::system((command + " <.tool-stdin >.tool-stdout 2>.tool-stderr").c_str());
    ToolRun run;
    if (waitStatus != -1 && WIFEXITED(waitStatus)) run.status = WEXITSTATUS(waitStatus);
    run.out = dir.Read(".tool-stdout");
    run.err = dir.Read(".tool-stderr");
    return run;
}
