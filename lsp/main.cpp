// tarvel-lsp: the language server. Reads framed messages from standard input on a reader
// thread, handles them in order on this one, and writes only protocol messages to standard
// output; anything else goes to standard error.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <thread>

#include "Inbox.h"
#include "Server.h"
#include "diagnostics/Log.h"

namespace {

/// Long enough to let a burst of keystrokes finish, short enough to feel immediate.
constexpr std::chrono::milliseconds kQuietTime{50};

void ReadAll(MessageReader& reader, Inbox& inbox) {
    std::string body;
    for (;;) {
        Incoming incoming;
        incoming.status = reader.Read(body);
        if (incoming.status == ReadStatus::Message) {
            try {
                incoming.message = Json::parse(body);
            } catch (const Json::parse_error& error) {
                incoming.parseError = error.what();
            }
        }
        const bool end = incoming.status == ReadStatus::End;
        inbox.Push(std::move(incoming));
        if (end) return;
    }
}

/// Ends the process at once: the reader thread may be blocked on input that never comes and
/// a validation may still be running, and neither has anything left to say.
[[noreturn]] void Exit(int status) {
    std::cout.flush();
    std::cerr.flush();
    std::_Exit(status);
}

}  // namespace

int main() {
    // The engine would write logfile.txt into whatever folder the editor started us in.
    SetLogEnabled(false);
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);

    MessageWriter writer(std::cout);
    Server server(writer, kQuietTime);
    Inbox inbox;
    MessageReader reader(std::cin);
    std::thread readerThread(ReadAll, std::ref(reader), std::ref(inbox));
    readerThread.detach();

    for (;;) {
        Incoming incoming = inbox.Pop();
        switch (incoming.status) {
        case ReadStatus::End:
            Exit(server.ExitStatusAtEnd());
        case ReadStatus::BadHeader:
            server.ReportParseError("a message header without a valid Content-Length");
            break;
        case ReadStatus::TooLarge:
            server.ReportParseError("a message larger than the server accepts");
            break;
        case ReadStatus::Message:
            if (!incoming.parseError.empty()) {
                server.ReportParseError(incoming.parseError);
                break;
            }
            const Json& message = incoming.message;
            const bool cancelled = message.is_object() && message.contains("id") && inbox.TakeCancelled(message["id"]);
            if (const auto status = server.Handle(message, cancelled)) Exit(*status);
            break;
        }
    }
}
