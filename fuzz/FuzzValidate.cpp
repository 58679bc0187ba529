// Feeds arbitrary bytes through a whole validation, the way the editor and the command-line
// validator do: load, answer the load-error question, run. Any outcome but a crash, a hang or a
// sanitizer report is fine; script errors are the expected answer to most inputs.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "Validation.h"
#include "diagnostics/Log.h"

namespace {

constexpr double kSecondsPerInput = 2.0;
constexpr std::size_t kBytesPerInput = std::size_t{256} << 20;

/// Answers the load-error question as the first input byte says, so both roads are explored.
class FixedAnswerHost : public ScriptHost {
public:
    explicit FixedAnswerHost(bool yes) : yes(yes) {}
    bool AskToContinue(const Diagnostic&) override { return yes; }

private:
    bool yes;
};

}  // namespace

// libFuzzer and the replay program call the target by this name.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Thousands of runs a second would otherwise rewrite logfile.txt each time.
    SetLogEnabled(false);
    if (size == 0) return 0;
    FixedAnswerHost host((data[0] & 1) != 0);
    // A few bytes can ask for hours or gigabytes; the limits turn that into an ordinary error
    // and keep each input within libFuzzer's own timeout and memory limit.
    ValidationOptions options;
    options.host = &host;
    options.timeLimitSeconds = kSecondsPerInput;
    options.memoryLimitBytes = kBytesPerInput;
    const ValidationResult result =
        Validate(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1), options);
    (void)result;
    return 0;
}
