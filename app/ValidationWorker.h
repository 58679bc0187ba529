#pragma once
#include <QByteArray>
#include <QObject>
#include <atomic>
#include <memory>

#include "Validation.h"

class ScriptHost;

/// One request to validate: the engine's bytes and how to run them.
struct ValidationJob {
    quint64 generation = 0;            ///< tells the answer to this request from others
    QByteArray script;                 ///< the text as the engine reads it
    bool live = false;                 ///< a check while typing: silent, skipped once stale
    std::shared_ptr<ScriptHost> host;  ///< answers a load error of a command run
    std::shared_ptr<std::atomic<bool>> cancel = std::make_shared<std::atomic<bool>>(false);
};

/// Runs validations one after the other on its own thread, so that the engine's
/// process-wide state (log file, warning counters, random numbers) has one user at a time.
class ValidationWorker : public QObject {
    Q_OBJECT

public:
    /// latestLive holds the newest live generation; older live jobs still queued are skipped.
    /// pending counts the jobs handed over and not yet done; Run takes each one off.
    ValidationWorker(const std::atomic<quint64>* latestLive, std::atomic<int>* pending);

    /// Validates job and reports it, unless it is a live job that a newer one replaced or
    /// cancelled. Setting job.cancel stops the engine within a few statements.
    void Run(const ValidationJob& job);

signals:
    /// The outcome of a job, delivered to the user-interface thread through the event queue.
    void Finished(quint64 generation, bool live, std::shared_ptr<const ValidationResult> result);

private:
    const std::atomic<quint64>* latestLive;
    std::atomic<int>* pending;
};
