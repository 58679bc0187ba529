#pragma once
// The one way to validate a script: what the editor's Validate command, tarvel-check, the
// language server, the fuzz target and the benchmarks all run.
#include <atomic>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Declarations.h"
#include "diagnostics/Diagnostic.h"
#include "interpreter/RunBudget.h"
#include "reader/ScriptHost.h"
#include "values/MersenneTwister.h"
#include "values/Value.h"

/// How a validation is run.
struct ValidationOptions {
    ScriptHost* host = nullptr;                 ///< answers the "Script Error" question; null answers No
    MersenneTwister* random = nullptr;          ///< what rand draws from; null: the process-wide generator
    const std::atomic<bool>* cancel = nullptr;  ///< another thread sets it to stop; null: none
    double timeLimitSeconds = 0;                ///< the longest the run may take; 0: no limit
    std::size_t memoryLimitBytes = kDefaultMemoryLimitBytes;  ///< most the run may hold at once; 0: no limit
    /// Fill `declarations`; off, a script of a million globals is not described a second time
    /// for a host that only shows the outcome.
    bool collectDeclarations = false;
};

/// A name the script uses without declaring it, and where it is used first.
struct ExternalName {
    std::string name;  ///< as first spelled
    int line = 1;      ///< 1-based line of the first use in the script as written
    int column = 1;    ///< 1-based byte column of the first use
};

/// Everything one validation produced: the result dialog's content and more.
struct ValidationResult {
    using StopReason = ::StopReason;
    LoadOutcome load = LoadOutcome::Loaded;       ///< how loading ended
    std::optional<Diagnostic> loadError;          ///< the load error the host was asked about
    bool ok = false;                              ///< loading and running completed
    std::string message;                          ///< the dialog's message; empty when declined
    std::optional<Diagnostic> error;              ///< the error the dialog shows, if any
    std::vector<ExternalName> externalVariables;  ///< in display order
    std::vector<ExternalName> externalFunctions;  ///< in display order
    Value result;                                 ///< what the run returned; Void after a failure
    uint64_t randomDraws = 0;                     ///< how often rand drew from the generator
    Declarations declarations;                    ///< the functions and globals filed by the run, when asked for
    StopReason stop = StopReason::None;           ///< the limit that ended the run early, if any
};

/// The longest text Validate accepts: positions in a script are ints, so LoadInline refuses
/// anything longer.
inline constexpr std::size_t kMaxScriptLength = INT_MAX - 1;

/// Runs the text (up to its first NUL) through a fresh engine as the editor's Validate command
/// does: load, the host's answer to a load error, run.
ValidationResult Validate(std::string_view text, const ValidationOptions& options = {});
/// Validate that takes the text over: a host that has no further use for it saves the copy.
ValidationResult Validate(std::string&& text, const ValidationOptions& options = {});
/// Validate of a NUL-terminated text.
ValidationResult Validate(const char* text, const ValidationOptions& options = {});
