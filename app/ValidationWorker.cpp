#include "ValidationWorker.h"

#include "diagnostics/Log.h"

namespace {

// Checking while typing runs the script past a load error, as a Yes would, so the names
// further down are found too; the question is the Validate command's alone.
class GoOnHost : public ScriptHost {
public:
    bool AskToContinue(const Diagnostic&) override { return true; }
};

// A check while typing that runs this long is most likely a script that never ends; giving
// up frees the core, and the Validate command still runs it for as long as the user waits.
constexpr double kLiveTimeLimitSeconds = 10;

// Takes the job off the count on every way out of Run.
class PendingJob {
public:
    explicit PendingJob(std::atomic<int>* pending) : pending(pending) {}
    ~PendingJob() { pending->fetch_sub(1); }
    PendingJob(const PendingJob&) = delete;
    PendingJob& operator=(const PendingJob&) = delete;

private:
    std::atomic<int>* pending;
};

}  // namespace

ValidationWorker::ValidationWorker(const std::atomic<quint64>* latestLive, std::atomic<int>* pending)
    : latestLive(latestLive), pending(pending) {}

void ValidationWorker::Run(const ValidationJob& job) {
    const PendingJob done(pending);
    if (job.live && (job.generation != latestLive->load() || job.cancel->load())) return;
    GoOnHost goOn;
    ValidationOptions options;
    options.host = job.live ? &goOn : job.host;
    options.cancel = job.cancel.get();
    if (job.live) options.timeLimitSeconds = kLiveTimeLimitSeconds;
    // The log records what the user asked for; checks while typing would bury it.
    SetLogEnabled(!job.live);
    auto result = std::make_shared<ValidationResult>(
        Validate(std::string_view(job.script.constData(), static_cast<size_t>(job.script.size())), options));
    SetLogEnabled(true);
    emit Finished(job.generation, job.live, std::move(result));
}
