#include "ValidationScheduler.h"

ValidationScheduler::ValidationScheduler(std::chrono::milliseconds quietTime, Publish publish)
    : quietTime(quietTime), publish(std::move(publish)), worker([this] { Work(); }) {}

ValidationScheduler::~ValidationScheduler() {
    {
        const std::lock_guard lock(mutex);
        stopping = true;
        // A script whose checking pass runs long must not hold up the server's exit.
        if (runningCancel) runningCancel->store(true);
    }
    wake.notify_all();
    worker.join();
}

void ValidationScheduler::Schedule(const std::string& uri, int version, std::shared_ptr<const std::string> text) {
    {
        const std::lock_guard lock(mutex);
        DocumentState& state = documents[uri];
        state.generation = nextGeneration++;
        CancelRunning(uri);
        // Replacing the pending text frees the one before: only the newest is ever validated.
        state.pending = Pending{version, std::move(text), std::chrono::steady_clock::now() + quietTime};
    }
    wake.notify_all();
}

void ValidationScheduler::Forget(const std::string& uri, const std::function<void()>& whenDropped) {
    const std::lock_guard lock(mutex);
    CancelRunning(uri);
    documents.erase(uri);
    whenDropped();
}

std::shared_ptr<const Analysis> ValidationScheduler::Declarations(const std::string& uri) const {
    const std::lock_guard lock(mutex);
    const auto it = documents.find(uri);
    return it == documents.end() ? nullptr : it->second.declarations;
}

void ValidationScheduler::CancelRunning(const std::string& uri) {
    if (runningCancel && runningUri == uri) runningCancel->store(true);
}

void ValidationScheduler::Work() {
    std::unique_lock lock(mutex);
    while (!stopping) {
        // The document whose quiet time ends first.
        auto next = documents.end();
        for (auto it = documents.begin(); it != documents.end(); ++it) {
            if (it->second.pending &&
                (next == documents.end() || it->second.pending->due < next->second.pending->due)) {
                next = it;
            }
        }
        if (next == documents.end()) {
            wake.wait(lock);
            continue;
        }
        if (next->second.pending->due > std::chrono::steady_clock::now()) {
            wake.wait_until(lock, next->second.pending->due);
            continue;
        }

        const std::string uri = next->first;
        const std::uint64_t generation = next->second.generation;
        const Pending job = std::move(*next->second.pending);
        next->second.pending.reset();

        runningUri = uri;
        runningCancel = std::make_shared<std::atomic<bool>>(false);
        const auto cancel = runningCancel;
        lock.unlock();
        auto analysis = std::make_shared<const Analysis>(Analyze(*job.text, job.version, cancel.get()));
        lock.lock();
        runningCancel.reset();
        runningUri.clear();
        if (analysis->cancelled) continue;

        // The document may have changed or closed meanwhile; then this result is stale.
        const auto it = documents.find(uri);
        if (it == documents.end() || it->second.generation != generation) continue;
        if (analysis->loaded || !it->second.declarations) it->second.declarations = analysis;
        publish(uri, *analysis);
    }
}
