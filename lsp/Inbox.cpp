#include "Inbox.h"

namespace {

/// Cancellations kept for requests never seen; a client that floods them must not grow us.
constexpr std::size_t kMaxCancelled = 1024;

}  // namespace

void Inbox::Push(Incoming incoming) {
    {
        const std::lock_guard lock(mutex);
        const Json& message = incoming.message;
        if (incoming.status == ReadStatus::Message && message.is_object() &&
            message.value("method", Json()) == "$/cancelRequest") {
            const auto params = message.find("params");
            if (params != message.end() && params->is_object() && params->contains("id")) {
                if (cancelled.size() >= kMaxCancelled) cancelled.clear();
                cancelled.insert((*params)["id"].dump());
            }
            return;
        }
        queue.push_back(std::move(incoming));
    }
    ready.notify_one();
}

Incoming Inbox::Pop() {
    std::unique_lock lock(mutex);
    ready.wait(lock, [this] { return !queue.empty(); });
    Incoming next = std::move(queue.front());
    queue.pop_front();
    return next;
}

bool Inbox::TakeCancelled(const Json& id) {
    const std::lock_guard lock(mutex);
    return cancelled.erase(id.dump()) > 0;
}
