#pragma once
// The transport: JSON-RPC messages framed by "Content-Length" headers on a byte stream. Knows
// nothing of what the messages say.
#include <cstddef>
#include <istream>
#include <mutex>
#include <ostream>
#include <string>
#include <string_view>

/// How reading one framed message ended.
enum class ReadStatus {
    Message,    ///< a whole body was read
    BadHeader,  ///< the header block had no usable Content-Length; its body cannot be found
    TooLarge,   ///< the body was longer than the reader accepts; it was read and dropped
    End,        ///< the stream ended (or broke off inside a message)
};

/// Reads framed messages one after the other.
class MessageReader {
public:
    /// Bodies longer than this are skipped rather than held in memory.
    static constexpr std::size_t MaxBodyBytes = std::size_t{256} << 20;

    explicit MessageReader(std::istream& in) : in(in) {}
    /// Reads the next message's body into body.
    ReadStatus Read(std::string& body);

private:
    /// One header line without its line break; false at the end of the stream.
    bool ReadHeaderLine(std::string& line);

    std::istream& in;
};

/// Writes framed messages; safe to call from several threads, one whole message at a time.
class MessageWriter {
public:
    explicit MessageWriter(std::ostream& out) : out(out) {}
    /// Frames and writes one body, then flushes.
    void Write(std::string_view body);

private:
    std::ostream& out;
    std::mutex mutex;
};
