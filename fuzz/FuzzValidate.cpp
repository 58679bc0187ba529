// Feeds arbitrary bytes through a whole validation, the way the editor and the command-line
// validator do: load, answer the load-error question, run. Any outcome but a crash, a hang or a
// sanitizer report is fine; script errors are the expected answer to most inputs.
#include <cstddef>
#include <cstdint>
#include <string>

#include "diagnostics/ErrorMsg.h"
#include "diagnostics/Log.h"
#include "reader/ScriptReader.h"

namespace {

/// Answers the load-error question as the first input byte says, so both roads are explored.
class FixedAnswerHost : public ScriptHost {
public:
    explicit FixedAnswerHost(bool yes) : yes(yes) {}
    bool AskYesNo(const char*, const char*) override { return yes; }

private:
    bool yes;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Thousands of runs a second would otherwise rewrite logfile.txt each time.
    SetLogEnabled(false);
    if (size == 0) return 0;
    FixedAnswerHost host((data[0] & 1) != 0);
    // The editor hands the engine a NUL-terminated text, so the script ends at a NUL byte.
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    ScriptReader reader(&host);
    try {
        if (reader.LoadInline(text.c_str()) != LoadOutcome::Declined) {
            const Value result = reader.Run();
            (void)result;
        }
    } catch (const ErrorMsg&) {
    }
    return 0;
}
