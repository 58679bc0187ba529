#pragma once
// The protocol layer: one handler per method, all in one table, over the open documents and
// the validations running for them. Messages arrive already framed and parsed.
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "Document.h"
#include "Protocol.h"
#include "Transport.h"
#include "ValidationScheduler.h"

class Server {
public:
    /// Writes every response and notification through writer; quietTime is how long a
    /// document must stay unchanged before it is validated.
    Server(MessageWriter& writer, std::chrono::milliseconds quietTime);

    /// Handles one message; cancelled says the client withdrew this request. Returns the exit
    /// status once the client sent "exit".
    std::optional<int> Handle(const Json& message, bool cancelled);
    /// Answers a body that is not JSON.
    void ReportParseError(const std::string& detail);
    /// The exit status when the input ends without "exit": 0 only after "shutdown".
    int ExitStatusAtEnd() const { return shuttingDown ? 0 : 1; }

private:
    /// A method's handler; a notification's result is dropped.
    using Handler = Json (Server::*)(const Json& params);
    struct Method {
        const char* name;
        Handler handler;
    };
    static const Method* FindMethod(const std::string& name);

    void Respond(const Json& id, Json result);
    void RespondError(const Json& id, int code, const std::string& message);
    void Notify(const char* method, Json params);
    void PublishDiagnostics(const std::string& uri, const Analysis& analysis);
    /// The open document a request names; InvalidParams when it is not open.
    Document& OpenDocument(const Json& params);

    // ---- lifecycle and documents (Server.cpp) ----
    Json Initialize(const Json& params);
    Json Initialized(const Json& params);
    Json Shutdown(const Json& params);
    Json DidOpen(const Json& params);
    Json DidChange(const Json& params);
    Json DidSave(const Json& params);
    Json DidClose(const Json& params);

    // ---- language features (ServerFeatures.cpp) ----
    Json Hover(const Json& params);
    Json Completion(const Json& params);
    Json Definition(const Json& params);
    Json DocumentSymbol(const Json& params);
    Json SemanticTokensFull(const Json& params);

    MessageWriter& writer;
    bool initialized = false;
    bool shuttingDown = false;
    bool reportExternals = true;  ///< the initialization option "externalNames"
    std::map<std::string, Document> documents;
    ValidationScheduler scheduler;  // last: its worker publishes through the members above
};
