#include "cli/InputFile.h"

#include <sys/mman.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdint>
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

/// Asks the kernel to back the 2 MiB-aligned middle of the reserved text with large pages.
/// Filling a 10 MiB script page by page takes 2,560 faults, some 5% of its whole check; the
/// request is only a hint, and nothing else changes when it is not granted.
void AskForLargePages(std::string& bytes) {
#ifdef MADV_HUGEPAGE
    constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(bytes.data());
    const std::uintptr_t end = begin + bytes.capacity();
    const std::uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t last = end & ~(kLargePage - 1);
    if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
    (void)bytes;
#endif
}

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
        AskForLargePages(bytes);
    }
    return ReadAll(in.get(), limit, bytes, problem);
}
