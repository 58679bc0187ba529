#include "cli/InputFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "cli/CliMessages.h"

using namespace CliMessages;

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

constexpr std::size_t kChunkSize = 65536;

bool ReadAll(std::FILE* in, std::size_t limit, std::string& bytes, std::string& problem) {
    // On the heap: a program started with a small stack limit must still read its files.
    std::vector<char> chunk(kChunkSize);
    std::size_t got = 0;
    while ((got = std::fread(chunk.data(), 1, chunk.size(), in)) > 0) {
        const auto* nul = static_cast<const char*>(std::memchr(chunk.data(), '\0', got));
        const std::size_t useful = nul != nullptr ? static_cast<std::size_t>(nul - chunk.data()) : got;
        if (useful > limit - bytes.size()) {
            problem = TooLongProblem(limit);
            return false;
        }
        bytes.append(chunk.data(), useful);
        if (nul != nullptr) return true;
    }
    if (std::ferror(in)) {
        problem = std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace

std::string TooLongProblem(std::size_t limit) {
    char text[128];
    std::snprintf(text, sizeof text, kScriptTooLong, limit);
    return text;
}

bool ReadInput(const std::string& file, std::size_t limit, std::string& bytes, std::string& problem) {
    bytes.clear();
    if (file == "-") return ReadAll(stdin, limit, bytes, problem);
    std::unique_ptr<std::FILE, FileCloser> in(std::fopen(file.c_str(), "rb"));
    if (!in) {
        problem = std::strerror(errno);
        return false;
    }
    // Room for the whole file at once: growing while reading would copy a large script
    // several times and hold two copies at the moment of each growth.
    struct stat status {};
    if (fstat(fileno(in.get()), &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        bytes.reserve(std::min(static_cast<std::size_t>(status.st_size), limit));
    }
    return ReadAll(in.get(), limit, bytes, problem);
}
