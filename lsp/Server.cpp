#include "Server.h"

#include <iostream>

#include "ScriptTokens.h"
#include "SemanticTokens.h"
#include "TarvelVersion.h"

namespace {

constexpr int kSeverityError = 1;
constexpr int kSeverityInformation = 3;
constexpr int kSyncIncremental = 2;

void LogLine(const std::string& text) { std::cerr << "tarvel-lsp: " << text << '\n'; }

}  // namespace

const Server::Method* Server::FindMethod(const std::string& name) {
    static const Method kMethods[] = {
        {"initialize", &Server::Initialize},
        {"initialized", &Server::Initialized},
        {"shutdown", &Server::Shutdown},
        {"textDocument/didOpen", &Server::DidOpen},
        {"textDocument/didChange", &Server::DidChange},
        {"textDocument/didSave", &Server::DidSave},
        {"textDocument/didClose", &Server::DidClose},
        {"textDocument/hover", &Server::Hover},
        {"textDocument/completion", &Server::Completion},
        {"textDocument/definition", &Server::Definition},
        {"textDocument/documentSymbol", &Server::DocumentSymbol},
        {"textDocument/semanticTokens/full", &Server::SemanticTokensFull},
    };
    for (const Method& method : kMethods) {
        if (name == method.name) return &method;
    }
    return nullptr;
}

Server::Server(MessageWriter& writer, std::chrono::milliseconds quietTime)
    : writer(writer), scheduler(quietTime, [this](const std::string& uri, const Analysis& analysis) {
          PublishDiagnostics(uri, analysis);
      }) {}

std::optional<int> Server::Handle(const Json& message, bool cancelled) {
    if (!message.is_object() || !message.contains("method") || !message["method"].is_string()) {
        // A response from the client (it has no method) needs nothing from us.
        if (message.is_object() && message.contains("id") &&
            (message.contains("result") || message.contains("error"))) {
            return std::nullopt;
        }
        const Json id = message.is_object() && message.contains("id") ? message["id"] : Json();
        RespondError(id, ErrorCode::InvalidRequest, "not a JSON-RPC request or notification");
        return std::nullopt;
    }
    const std::string& name = message["method"].get_ref<const std::string&>();
    const bool isRequest = message.contains("id");
    const Json id = isRequest ? message["id"] : Json();
    if (isRequest && !id.is_number_integer() && !id.is_string()) {
        RespondError(Json(), ErrorCode::InvalidRequest, "a request id is a number or a string");
        return std::nullopt;
    }
    if (name == "exit") return ExitStatusAtEnd();

    if (isRequest && cancelled) {
        RespondError(id, ErrorCode::RequestCancelled, "request cancelled");
        return std::nullopt;
    }
    if (!initialized && name != "initialize") {
        if (isRequest) RespondError(id, ErrorCode::ServerNotInitialized, "initialize first");
        return std::nullopt;
    }
    if (shuttingDown) {
        if (isRequest) RespondError(id, ErrorCode::InvalidRequest, "the server is shutting down");
        return std::nullopt;
    }
    const Method* method = FindMethod(name);
    if (method == nullptr) {
        // Notifications the server does not know, "$/" ones above all, are dropped quietly.
        if (isRequest) RespondError(id, ErrorCode::MethodNotFound, "unknown method " + name);
        return std::nullopt;
    }

    const Json params = message.contains("params") ? message["params"] : Json::object();
    try {
        Json result = (this->*method->handler)(params);
        if (isRequest) Respond(id, std::move(result));
    } catch (const ProtocolError& error) {
        if (isRequest) RespondError(id, error.code, error.message);
        else LogLine(name + ": " + error.message);
    } catch (const Json::exception& error) {
        if (isRequest) RespondError(id, ErrorCode::InvalidParams, error.what());
        else LogLine(name + ": " + error.what());
    }
    return std::nullopt;
}

void Server::ReportParseError(const std::string& detail) { RespondError(Json(), ErrorCode::ParseError, detail); }

void Server::Respond(const Json& id, Json result) {
    writer.Write(Json{{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}}.dump());
}

void Server::RespondError(const Json& id, int code, const std::string& message) {
    // Replaced rather than refused: text from the client may hold broken UTF-8.
    const std::string body =
        Json{{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}}.dump(
            -1, ' ', false, Json::error_handler_t::replace);
    writer.Write(body);
}

void Server::Notify(const char* method, Json params) {
    writer.Write(Json{{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}}.dump(
        -1, ' ', false, Json::error_handler_t::replace));
}

void Server::PublishDiagnostics(const std::string& uri, const Analysis& analysis) {
    Json diagnostics = Json::array();
    for (const Finding& finding : analysis.findings) {
        const bool error = finding.kind == FindingKind::Error;
        if (!error && !reportExternals) continue;
        diagnostics.push_back({{"range", WriteRange(finding.range)},
                               {"severity", error ? kSeverityError : kSeverityInformation},
                               {"source", "tarvel"},
                               {"message", finding.message}});
    }
    Notify("textDocument/publishDiagnostics",
           {{"uri", uri}, {"version", analysis.version}, {"diagnostics", std::move(diagnostics)}});
}

Document& Server::OpenDocument(const Json& params) {
    const std::string& uri = StringField(ObjectField(params, "textDocument"), "uri");
    const auto it = documents.find(uri);
    if (it == documents.end()) throw ProtocolError{ErrorCode::InvalidParams, "document not open: " + uri};
    return it->second;
}

Json Server::Initialize(const Json& params) {
    if (initialized) throw ProtocolError{ErrorCode::InvalidRequest, "initialize was already sent"};
    if (params.is_object() && params.contains("initializationOptions")) {
        const Json& options = params["initializationOptions"];
        if (options.is_object() && options.contains("externalNames") && options["externalNames"].is_boolean()) {
            reportExternals = options["externalNames"].get<bool>();
        }
    }
    initialized = true;
    Json legend = {{"tokenTypes", SemanticTokenTypes()}, {"tokenModifiers", Json::array()}};
    Json capabilities = {
        {"positionEncoding", "utf-16"},
        {"textDocumentSync", {{"openClose", true}, {"change", kSyncIncremental}, {"save", {{"includeText", true}}}}},
        {"hoverProvider", true},
        {"completionProvider", {{"resolveProvider", false}}},
        {"definitionProvider", true},
        {"documentSymbolProvider", true},
        {"semanticTokensProvider", {{"legend", std::move(legend)}, {"full", true}}},
    };
    return {{"capabilities", std::move(capabilities)},
            {"serverInfo", {{"name", "tarvel-lsp"}, {"version", TARVEL_VERSION}}}};
}

Json Server::Initialized(const Json&) { return nullptr; }

Json Server::Shutdown(const Json&) {
    shuttingDown = true;
    return nullptr;
}

Json Server::DidOpen(const Json& params) {
    const Json& item = ObjectField(params, "textDocument");
    const std::string& uri = StringField(item, "uri");
    const int version = IntField(item, "version");
    Document& document = documents.insert_or_assign(uri, Document(StringField(item, "text"), version)).first->second;
    scheduler.Schedule(uri, version, document.Text());
    return nullptr;
}

Json Server::DidChange(const Json& params) {
    Document& document = OpenDocument(params);
    const Json& changes = params.at("contentChanges");
    if (!changes.is_array()) throw ProtocolError{ErrorCode::InvalidParams, "'contentChanges' must be an array"};
    const Json& item = ObjectField(params, "textDocument");
    const int version = IntField(item, "version");
    // Checked as a whole first, so that a bad change leaves the document as it was.
    for (const Json& change : changes) {
        StringField(change, "text");
        if (change.contains("range")) ReadRange(change["range"]);
    }
    for (const Json& change : changes) {
        std::optional<Range> range;
        if (change.contains("range")) range = ReadRange(change["range"]);
        document.ApplyChange(range, StringField(change, "text"));
    }
    document.SetVersion(version);
    scheduler.Schedule(StringField(item, "uri"), version, document.Text());
    return nullptr;
}

Json Server::DidSave(const Json& params) {
    Document& document = OpenDocument(params);
    if (!params.contains("text")) return nullptr;
    document.ApplyChange(std::nullopt, StringField(params, "text"));
    scheduler.Schedule(StringField(params["textDocument"], "uri"), document.Version(), document.Text());
    return nullptr;
}

Json Server::DidClose(const Json& params) {
    const std::string uri = StringField(ObjectField(params, "textDocument"), "uri");
    documents.erase(uri);
    // Cleared under the scheduler's lock, so that no result of the closed text comes after it.
    scheduler.Forget(uri, [&] {
        Notify("textDocument/publishDiagnostics", {{"uri", uri}, {"diagnostics", Json::array()}});
    });
    return nullptr;
}
