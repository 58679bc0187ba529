#include "ValidationWorker.h"

#include "diagnostics/Log.h"

namespace {

// Checking while typing runs the script past a load error, as a Yes would, so the names
// further down are found too; the question is the Validate command's alone.
class GoOnHost : public ScriptHost {
public:
    bool AskToContinue(const Diagnostic&) override { return true; }
};

}  // namespace

ValidationWorker::ValidationWorker(const std::atomic<quint64>* latestLive) : latestLive(latestLive) {}

void ValidationWorker::Run(const ValidationJob& job) {
    if (job.live && job.generation != latestLive->load()) return;
    GoOnHost goOn;
    ValidationOptions options;
    options.host = job.live ? &goOn : job.host;
    // The log records what the user asked for; checks while typing would bury it.
    SetLogEnabled(!job.live);
    auto result = std::make_shared<ValidationResult>(
        Validate(std::string_view(job.script.constData(), static_cast<size_t>(job.script.size())), options));
    SetLogEnabled(true);
    emit Finished(job.generation, job.live, std::move(result));
}
