#pragma once
// Messages read ahead of the message loop, so that a cancellation can overtake the request it
// withdraws while that request still waits in line.
#include <condition_variable>
#include <deque>
#include <mutex>
#include <set>
#include <string>

#include "Protocol.h"
#include "Transport.h"

/// One read outcome: a parsed message, or why there is none.
struct Incoming {
    ReadStatus status = ReadStatus::End;
    Json message;            ///< the message when status is Message and it parsed
    std::string parseError;  ///< non-empty when the body was not JSON
};

class Inbox {
public:
    /// Queues a read outcome, or records a "$/cancelRequest" instead of queuing it.
    void Push(Incoming incoming);
    /// The next outcome, waiting for one.
    Incoming Pop();
    /// True once for a request id whose cancellation arrived.
    bool TakeCancelled(const Json& id);

private:
    std::mutex mutex;
    std::condition_variable ready;
    std::deque<Incoming> queue;
    std::set<std::string> cancelled;  ///< ids as JSON text, so that 1 and "1" stay apart
};
