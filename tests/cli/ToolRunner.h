#pragma once
#include <string>
#include <vector>

/// A private directory for one test, removed with everything in it at the end.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    /// Writes the bytes into the named file of the directory.
    void Write(const std::string& name, const std::string& bytes) const;
    /// True when the named file exists in the directory.
    bool Has(const std::string& name) const;

    std::string path;  ///< the directory
};

/// What one run of tarvel-check left behind.
struct ToolRun {
    int status = -1;  ///< exit status, or -1 when the tool did not exit normally
    std::string out;  ///< standard output
    std::string err;  ///< standard error
};

/// Runs the built tarvel-check inside the directory with the arguments and standard input.
ToolRun RunTool(const ScratchDir& dir, const std::vector<std::string>& args, const std::string& input = "");
