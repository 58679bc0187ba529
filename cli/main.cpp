// tarvel-check: validates C script files from the command line through the same engine path
// as the editor's Validate command, one fresh engine per file.
#include <cstdio>
#include <exception>
#include <string>

#include "cli/CliMessages.h"
#include "cli/ExitStatus.h"
#include "cli/InputFile.h"
#include "cli/LineBreaks.h"
#include "cli/Options.h"
#include "cli/Report.h"
#include "Validation.h"
#include "diagnostics/Log.h"

namespace {

/// Gives every load error the answer of the command line.
class FixedAnswer : public ScriptHost {
public:
    explicit FixedAnswer(bool yes) : yes(yes) {}
    bool AskToContinue(const Diagnostic& /*loadError*/) override { return yes; }

private:
    bool yes;
};

/// Validates one file and writes its report; the status this file alone would end with.
ExitStatus CheckFile(const Options& options, const std::string& file, bool& firstReport) {
    std::string bytes;
    std::string problem;
    if (!ReadInput(file, bytes, problem)) {
        std::fprintf(stderr, kCannotRead, file.c_str(), problem.c_str());
        return ExitStatus::Trouble;
    }
    const std::string text = ScriptText(bytes, options.raw);
    FixedAnswer answer(options.continueOnLoadError);
    const ValidationResult report = Validate(text, {&answer});

    if (report.loadError) {
        // Reports on stderr and stdout would interleave out of order on a shared terminal.
        std::fflush(stdout);
        std::fprintf(stderr, kLoadErrorReport, report.loadError->text.c_str());
    }
    // The editor ends without a dialog when the load error is declined; so nothing shows here.
    if (report.load == LoadOutcome::Declined) return ExitStatus::Failed;

    if (options.json) {
        std::fputs(JsonReport(file, report).c_str(), stdout);
    } else {
        const bool heading = options.files.size() > 1;
        if (heading && !firstReport) std::fputc('\n', stdout);
        WritePlainReport(stdout, file, report, heading);
    }
    firstReport = false;
    return report.ok ? ExitStatus::Validated : ExitStatus::Failed;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::string problem;
    if (!ParseOptions(argc, argv, options, problem)) {
        std::fprintf(stderr, kUsageProblem, problem.c_str());
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
    for (const std::string& file : options.files) {
        try {
            status = Worse(status, CheckFile(options, file, firstReport));
        } catch (const std::exception& failure) {
            // Engine errors are handled inside; this is the edge for running out of memory and
            // the like, which must not cost the reports of the remaining files.
            std::fflush(stdout);
            std::fprintf(stderr, kInternalFailure, file.c_str(), failure.what());
            status = Worse(status, ExitStatus::Failed);
        }
    }
    if (std::fflush(stdout) != 0) status = Worse(status, ExitStatus::Trouble);
    return static_cast<int>(status);
}
