#pragma once
// Validations off the message loop: one worker thread, a quiet time after the last change, and
// a generation number per document so that a result is published only while it is the newest.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "Analysis.h"

class ValidationScheduler {
public:
    /// Called on the worker with the analysis of a document's newest text, under the
    /// scheduler's lock, so that nothing about that document can be published in between.
    using Publish = std::function<void(const std::string& uri, const Analysis& analysis)>;

    ValidationScheduler(std::chrono::milliseconds quietTime, Publish publish);
    /// Stops the validation that is running, if any, and waits for it; pending ones are dropped.
    ~ValidationScheduler();
    ValidationScheduler(const ValidationScheduler&) = delete;
    ValidationScheduler& operator=(const ValidationScheduler&) = delete;

    /// Makes the text the document's newest; it is validated once no newer one came for the
    /// quiet time. A validation of an older text still running is stopped.
    void Schedule(const std::string& uri, int version, std::shared_ptr<const std::string> text);
    /// Drops the document and stops its running validation; whenDropped runs under the lock,
    /// after which nothing of the
    /// document's earlier texts is published.
    void Forget(const std::string& uri, const std::function<void()>& whenDropped);
    /// The newest analysis of the document that loaded (so has declarations), or null.
    std::shared_ptr<const Analysis> Declarations(const std::string& uri) const;

private:
    struct Pending {
        int version = 0;
        std::shared_ptr<const std::string> text;
        std::chrono::steady_clock::time_point due;
    };
    struct DocumentState {
        std::uint64_t generation = 0;
        std::optional<Pending> pending;
        std::shared_ptr<const Analysis> declarations;
    };

    void Work();
    /// Stops the running validation if it is of uri; call under the lock.
    void CancelRunning(const std::string& uri);

    const std::chrono::milliseconds quietTime;
    const Publish publish;
    mutable std::mutex mutex;
    std::condition_variable wake;
    std::map<std::string, DocumentState> documents;
    std::uint64_t nextGeneration = 1;
    bool stopping = false;
    std::string runningUri;                            ///< the document being validated now
    std::shared_ptr<std::atomic<bool>> runningCancel;  ///< stops that validation; null: none runs
    std::thread worker;                                // last: it starts once everything above is built
};
