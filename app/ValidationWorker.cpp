#include "ValidationWorker.h"

#include <QCoreApplication>

#include "diagnostics/Log.h"

namespace {

// Checking while typing runs the script past a load error, as a Yes would, so the names
// further down are found too; the question is the Validate command's alone.
class GoOnHost : public ScriptHost {
public:
    bool AskToContinue(const Diagnostic&) override { return true; }
};

// A command run may start before the command itself and be dropped when the text changes
// first. Its question is put on the user-interface thread, where the dropping happens, and
// a dropped run asks nothing: its text is no longer the editor's and its answer never shows.
class DroppableHost : public ScriptHost {
public:
    DroppableHost(ScriptHost* host, const std::atomic<bool>* dropped) : host(host), dropped(dropped) {}
    bool AskToContinue(const Diagnostic& loadError) override {
        bool answer = false;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [&] { answer = !dropped->load() && host->AskToContinue(loadError); },
            Qt::BlockingQueuedConnection);
        return answer;
    }

private:
    ScriptHost* host;
    const std::atomic<bool>* dropped;
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
    DroppableHost asker(job.host.get(), job.cancel.get());
    ValidationOptions options;
    options.host = job.live ? static_cast<ScriptHost*>(&goOn) : job.host ? &asker : nullptr;
    options.cancel = job.cancel.get();
    if (job.live) options.timeLimitSeconds = kLiveTimeLimitSeconds;
    // The log records what the user asked for; checks while typing would bury it.
    SetLogEnabled(!job.live);
    auto result = std::make_shared<ValidationResult>(
        Validate(std::string_view(job.script.constData(), static_cast<size_t>(job.script.size())), options));
    SetLogEnabled(true);
    emit Finished(job.generation, job.live, std::move(result));
}
