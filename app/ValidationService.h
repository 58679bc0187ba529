#pragma once
#include <QObject>
#include <QThread>
#include <atomic>
#include <memory>

#include "ValidationWorker.h"

class QWidget;

/// The editor's way to the engine: every validation runs on one worker thread while the
/// window goes on painting. The Validate command waits for its answer in a local event loop
/// and shows a progress dialog with Cancel when that takes long; checks while typing come
/// back through LiveFinished, and answers to outdated text are dropped.
class ValidationService : public QObject {
    Q_OBJECT

public:
    explicit ValidationService(QObject* parent);
    ~ValidationService() override;

    /// Validates script for the Validate command; host answers a load error on this thread.
    /// Null when the user cancelled.
    std::shared_ptr<const ValidationResult> RunModal(const QByteArray& script, ScriptHost* host, QWidget* dialogParent);
    /// Starts a check of script; LiveFinished reports it unless newer text came meanwhile.
    void RunLive(const QByteArray& script);
    /// Makes every live check still underway or queued stale.
    void DiscardLive();
    /// The generation of the newest live check.
    quint64 LatestLive() const;
    /// True when no validation is running or waiting on the worker thread.
    bool IsIdle() const;
    /// True while RunModal waits for its answer.
    bool IsCommandRunning() const;

signals:
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
    std::shared_ptr<std::atomic<bool>> modalCancel;
};
