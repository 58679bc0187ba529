// tarvel-check: validates C script files from the command line through the same engine path
// as the editor's Validate command, one fresh engine per file.
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliMessages.h"
#include "cli/ExitStatus.h"
#include "cli/Formatted.h"
#include "cli/InputFile.h"
#include "cli/Jobs.h"
#include "cli/LineBreaks.h"
#include "cli/Options.h"
#include "cli/Report.h"
#include "cli/SarifLog.h"
#include "cli/TerminalText.h"
#include "Validation.h"
#include "diagnostics/Log.h"

using namespace CliMessages;

namespace {

/// Gives every load error the answer of the command line.
class FixedAnswer : public ScriptHost {
public:
    explicit FixedAnswer(bool yes) : yes(yes) {}
    bool AskToContinue(const Diagnostic& /*loadError*/) override { return yes; }

private:
    bool yes;
};

/// What checking one file produced; written out in the order of the files.
struct FileCheck {
    ExitStatus status = ExitStatus::Validated;  ///< the status this file alone would end with
    std::string err;                            ///< for standard error, written before `out`
    std::string out;                            ///< this file's report on standard output
    std::optional<ValidationResult> report;     ///< the validation, once the file was read
    std::string readProblem;                    ///< why the file could not be read
    std::optional<std::string> failure;         ///< what stopped the check other than the script
};

std::string CannotRead(const std::string& file, const std::string& problem) {
    return Formatted(kCannotRead, TerminalSafe(file, LineBreakUse::Escape).c_str(),
                     TerminalSafe(problem, LineBreakUse::Escape).c_str());
}

/// Validates one file and renders its report in the chosen format.
FileCheck CheckFile(const Options& options, const std::string& file, MersenneTwister* random) {
    FileCheck check;
    // The bytes read become the script text in place, so that the file is held once here.
    std::string text;
    if (!ReadInput(file, kMaxScriptLength, text, check.readProblem)) {
        check.err = CannotRead(file, check.readProblem);
        check.status = ExitStatus::Trouble;
        return check;
    }
    MakeScriptText(text, options.raw);
    // CR LF line breaks can make a text that fitted as read too long for the engine.
    if (text.size() > kMaxScriptLength) {
        check.readProblem = TooLongProblem(kMaxScriptLength);
        check.err = CannotRead(file, check.readProblem);
        check.status = ExitStatus::Trouble;
        return check;
    }
    FixedAnswer answer(options.continueOnLoadError);
    ValidationOptions limits{&answer, random};
    limits.timeLimitSeconds = options.timeLimitSeconds;
    limits.memoryLimitBytes = options.memoryLimitMiB << 20;
    const ValidationResult& report = check.report.emplace(Validate(std::move(text), limits));
    check.status = FailingError(report) == nullptr ? ExitStatus::Validated : ExitStatus::Failed;

    switch (options.format) {
    case OutputFormat::Text:
    case OutputFormat::Json:
        if (report.loadError) check.err = LoadErrorReport(file, *report.loadError, options.files.size() > 1);
        break;
    case OutputFormat::Gcc:
    case OutputFormat::Sarif:
        break;  // their reports carry the load error
    }
    switch (options.format) {
    case OutputFormat::Text:
        // The editor ends without a dialog when the load error is declined; so nothing shows here.
        if (report.load != LoadOutcome::Declined) check.out = PlainReport(file, report, options.files.size() > 1);
        break;
    case OutputFormat::Json:
        check.out = JsonReport(file, report);
        break;
    case OutputFormat::Gcc:
        check.out = GccReport(file, report);
        break;
    case OutputFormat::Sarif:
        break;  // one log for all files, written at the end
    }
    // Whether the script is valid is unknown: the status must not say it failed.
    if (report.stop == StopReason::TimeLimit) {
        check.status = ExitStatus::TimeLimit;
        check.err +=
            Formatted(kTimeLimitReached, TerminalSafe(file, LineBreakUse::Escape).c_str(), options.timeLimitSeconds);
    }
    return check;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::string problem;
    if (!ParseOptions(argc, argv, options, problem)) {
        std::fprintf(stderr, kUsageProblem, TerminalSafe(problem, LineBreakUse::Escape).c_str());
        return static_cast<int>(ExitStatus::Trouble);
    }
    if (options.help) {
        std::fputs(kUsageText, stdout);
        return static_cast<int>(ExitStatus::Validated);
    }
    if (options.version) {
        std::fputs(kVersionText, stdout);
        return static_cast<int>(ExitStatus::Validated);
    }
    if (options.noLog) SetLogEnabled(false);

    ExitStatus status = ExitStatus::Validated;
    bool firstReport = true;
    SarifLog sarif;
    std::vector<std::optional<FileCheck>> checks(options.files.size());
    const CheckOne check = [&](size_t k, MersenneTwister* random) -> uint64_t {
        FileCheck& done = checks[k].emplace();
        try {
            done = CheckFile(options, options.files[k], random);
        } catch (const std::exception& failure) {
            // Engine errors are handled inside; this is the edge for running out of memory and
            // the like, which must not cost the reports of the remaining files.
            done.failure = failure.what();
        }
        return done.report ? done.report->randomDraws : 0;
    };
    const WriteOne write = [&](size_t k) {
        const std::string& file = options.files[k];
        const FileCheck checked = std::move(*checks[k]);
        checks[k].reset();
        if (checked.failure) {
            std::fflush(stdout);
            std::fprintf(stderr, kInternalFailure, TerminalSafe(file, LineBreakUse::Escape).c_str(),
                         checked.failure->c_str());
            sarif.AddNotChecked(file, *checked.failure);
            status = Worse(status, ExitStatus::Failed);
            return;
        }
        status = Worse(status, checked.status);
        if (!checked.err.empty()) {
            // Reports on stderr and stdout would interleave out of order on a shared terminal.
            std::fflush(stdout);
            std::fputs(checked.err.c_str(), stderr);
        }
        if (!checked.out.empty()) {
            if (options.format == OutputFormat::Text && options.files.size() > 1 && !firstReport) {
                std::fputc('\n', stdout);
            }
            std::fputs(checked.out.c_str(), stdout);
            firstReport = false;
        }
        if (checked.report) sarif.Add(file, *checked.report);
        else sarif.AddNotChecked(file, checked.readProblem);
    };
    // Standard input can be read once: the first "-" takes it all and a later one finds it at
    // its end, as one job reads them; so it is read in its turn.
    const ReadOnce readOnce = [&](size_t k) { return options.files[k] == "-"; };
    CheckInOrder(options.files.size(), options.jobs, check, write, readOnce);
    if (options.format == OutputFormat::Sarif) std::fputs(sarif.Text().c_str(), stdout);
    if (std::fflush(stdout) != 0) status = Worse(status, ExitStatus::Trouble);
    return static_cast<int>(status);
}
