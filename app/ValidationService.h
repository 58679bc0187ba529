#pragma once
#include <QObject>
#include <QThread>
#include <atomic>
#include <memory>

#include "ValidationWorker.h"

class QWidget;

/// The editor's way to the engine: every validation runs on one worker thread while the
/// window goes on painting. The Validate command waits for its answer in a local event loop
/// and shows a progress dialog with Cancel when that takes long; its run may start earlier,
/// as soon as the text is known, and is dropped when the text changes before the command
/// takes the answer. Checks while typing come back through LiveFinished, and answers to
/// outdated text are dropped.
class ValidationService : public QObject {
    Q_OBJECT

public:
    explicit ValidationService(QObject* parent);
    ~ValidationService() override;

    /// Validates script for the Validate command; host answers a load error on this thread.
    /// Null when the user cancelled.
    std::shared_ptr<const ValidationResult> RunModal(const QByteArray& script, std::shared_ptr<ScriptHost> host,
                                                     QWidget* dialogParent);
    /// Starts the Validate command's run of script ahead of the command, dropping any started
    /// before; AwaitCommand takes its answer.
    void StartCommand(const QByteArray& script, std::shared_ptr<ScriptHost> host);
    /// Stops the started command run, whose text is no longer the editor's; nothing of it shows.
    void DropStartedCommand();
    /// Waits for the answer of the started command run, with a progress dialog over
    /// dialogParent when that takes long. Null when the user cancelled or none was started.
    std::shared_ptr<const ValidationResult> AwaitCommand(QWidget* dialogParent);
    /// Starts a check of script; LiveFinished reports it unless newer text came meanwhile.
    void RunLive(const QByteArray& script);
    /// Makes every live check still underway or queued stale.
    void DiscardLive();
    /// The generation of the newest live check.
    quint64 LatestLive() const;
    /// True when no validation is running or waiting on the worker thread.
    bool IsIdle() const;
    /// True from the start of a command run until its answer is taken or dropped.
    bool IsCommandRunning() const;

signals:
    /// The started command run finished; AwaitCommand takes its answer.
    void CommandFinished();
    /// The outcome of the newest live check, unless it was stopped before the script ended.
    void LiveFinished(std::shared_ptr<const ValidationResult> result);

private:
    /// Hands a job to the worker thread.
    void Post(const ValidationJob& job);
    /// Passes on live outcomes that are still current.
    void OnFinished(quint64 generation, bool live, std::shared_ptr<const ValidationResult> result);

    QThread thread;
    ValidationWorker* worker;
    std::atomic<quint64> latestLive{0};
    std::atomic<int> pending{0};
    quint64 lastModal = 0;
    std::shared_ptr<std::atomic<bool>> liveCancel;
    /// Set from the start of a command run until its answer is taken or dropped.
    std::shared_ptr<std::atomic<bool>> modalCancel;
    /// The answer of the started command run once it came.
    std::shared_ptr<const ValidationResult> commandResult;
};
