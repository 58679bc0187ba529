#include "ValidationService.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

namespace {

// Below this a validation feels instant and a flashing dialog would only distract.
constexpr int kProgressDelayMs = 500;

}  // namespace

ValidationService::ValidationService(QObject* parent)
    : QObject(parent), worker(new ValidationWorker(&latestLive, &pending)) {
    qRegisterMetaType<std::shared_ptr<const ValidationResult>>();
    thread.setObjectName(QStringLiteral("validation"));
    worker->moveToThread(&thread);
    connect(&thread, &QThread::finished, worker, &QObject::deleteLater);
    connect(worker, &ValidationWorker::Finished, this, &ValidationService::OnFinished, Qt::QueuedConnection);
    thread.start();
}

ValidationService::~ValidationService() {
    DiscardLive();
    if (modalCancel) modalCancel->store(true);
    thread.quit();
    thread.wait();
}

void ValidationService::Post(const ValidationJob& job) {
    pending.fetch_add(1);
    QMetaObject::invokeMethod(
        worker, [target = worker, job] { target->Run(job); }, Qt::QueuedConnection);
}

std::shared_ptr<const ValidationResult> ValidationService::RunModal(const QByteArray& script,
                                                                    std::shared_ptr<ScriptHost> host,
                                                                    QWidget* dialogParent) {
    StartCommand(script, std::move(host));
    return AwaitCommand(dialogParent);
}

void ValidationService::StartCommand(const QByteArray& script, std::shared_ptr<ScriptHost> host) {
    DropStartedCommand();
    ValidationJob job;
    job.generation = ++lastModal;
    job.script = script;
    job.host = std::move(host);
    modalCancel = job.cancel;
    Post(job);
}

void ValidationService::DropStartedCommand() {
    if (!modalCancel) return;
    modalCancel->store(true);
    modalCancel.reset();
    commandResult.reset();
    // Whatever the dropped run still reports belongs to an older generation.
    ++lastModal;
    emit CommandFinished();
}

std::shared_ptr<const ValidationResult> ValidationService::AwaitCommand(QWidget* dialogParent) {
    const std::shared_ptr<std::atomic<bool>> cancel = modalCancel;
    if (!cancel) return nullptr;
    // Until the answer came or the run was dropped.
    const auto waiting = [&] { return modalCancel == cancel && !commandResult; };
    QEventLoop loop;
    const auto connection = connect(this, &ValidationService::CommandFinished, &loop, &QEventLoop::quit);

    if (waiting()) {
        // First the window only repaints: keys typed now would change the text under the run.
        QTimer delay;
        delay.setSingleShot(true);
        connect(&delay, &QTimer::timeout, &loop, &QEventLoop::quit);
        delay.start(kProgressDelayMs);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (waiting()) {
        QProgressDialog progress(tr("Validating the script..."), tr("Cancel"), 0, 0, dialogParent);
        progress.setWindowTitle(tr("Tarvel"));
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(0);
        connect(&progress, &QProgressDialog::canceled, &loop, [&] {
            cancel->store(true);
            progress.setLabelText(tr("Stopping the validation..."));
        });
        progress.show();
        while (waiting()) loop.exec();
    }
    disconnect(connection);
    if (modalCancel != cancel) return nullptr;
    std::shared_ptr<const ValidationResult> result = std::move(commandResult);
    commandResult.reset();
    modalCancel.reset();
    // Whatever a stopped run found is only the part of the script it got through.
    if (cancel->load() || result->stop == StopReason::Cancelled) result.reset();
    return result;
}

void ValidationService::RunLive(const QByteArray& script) {
    DiscardLive();
    ValidationJob job;
    job.generation = ++latestLive;
    job.script = script;
    job.live = true;
    liveCancel = job.cancel;
    Post(job);
}

void ValidationService::DiscardLive() {
    ++latestLive;
    if (liveCancel) liveCancel->store(true);
    liveCancel.reset();
}

quint64 ValidationService::LatestLive() const { return latestLive.load(); }

bool ValidationService::IsIdle() const { return pending.load() == 0; }

bool ValidationService::IsCommandRunning() const { return modalCancel != nullptr; }

void ValidationService::OnFinished(quint64 generation, bool live, std::shared_ptr<const ValidationResult> result) {
    if (!live) {
        if (generation != lastModal || !modalCancel) return;
        commandResult = std::move(result);
        emit CommandFinished();
        return;
    }
    if (generation != latestLive.load()) return;
    // A check cut short would mark the place it stopped at as the error.
    if (result->stop == StopReason::Cancelled || result->stop == StopReason::TimeLimit) return;
    emit LiveFinished(std::move(result));
}
