#include "ToolRunner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Only calls that are safe between fork and exec: the test process may have other threads.
[[noreturn]] void StartTool(const std::string& dir, char* const argv[]) {
    if (chdir(dir.c_str()) != 0) _exit(126);
    const int in = open(".tool-stdin", O_RDONLY);
    const int out = open(".tool-stdout", O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(".tool-stderr", O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0) _exit(126);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    execv(argv[0], argv);
    _exit(127);
}

}  // namespace

ScratchDir::ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvel-cli-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

void ScratchDir::Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path + "/" + name, std::ios::binary) << bytes;
}

bool ScratchDir::Has(const std::string& name) const {
    return std::filesystem::exists(path + "/" + name);
}

ToolRun RunTool(const ScratchDir& dir, const std::vector<std::string>& args, const std::string& input) {
    dir.Write(".tool-stdin", input);
    std::vector<std::string> words{TARVEL_CHECK_PATH};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    ToolRun run;
    const pid_t child = fork();
    if (child == 0) StartTool(dir.path, argv.data());
    int waitStatus = 0;
    if (child < 0 || waitpid(child, &waitStatus, 0) != child) return run;
    if (WIFEXITED(waitStatus)) run.status = WEXITSTATUS(waitStatus);
    run.out = ReadFile(dir.path + "/.tool-stdout");
    run.err = ReadFile(dir.path + "/.tool-stderr");
    return run;
}
