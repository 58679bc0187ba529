#include "cli/InputFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

bool ReadAll(std::FILE* in, std::string& bytes, std::string& problem) {
    char chunk[65536];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0) bytes.append(chunk, got);
    if (std::ferror(in)) {
        problem = std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace

bool ReadInput(const std::string& file, std::string& bytes, std::string& problem) {
    bytes.clear();
    if (file == "-") return ReadAll(stdin, bytes, problem);
    std::unique_ptr<std::FILE, FileCloser> in(std::fopen(file.c_str(), "rb"));
    if (!in) {
        problem = std::strerror(errno);
        return false;
    }
    return ReadAll(in.get(), bytes, problem);
}
