// The server as an editor meets it: lifecycle, the protocol's errors for bad input, and that
// nothing but framed messages ever reaches standard output.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

#include "LspClient.h"

namespace {

int ErrorCode(const std::optional<Json>& response) {
    if (!response || !response->contains("error")) return 0;
    return (*response)["error"]["code"].get<int>();
}

TEST(Lifecycle, InitializeNamesTheServerAndItsCapabilities) {
    LspClient client;
    const Json response = client.Initialize();
    const Json& result = response["result"];
    EXPECT_EQ(result["serverInfo"]["name"], "tarvel-lsp");
    EXPECT_FALSE(result["serverInfo"]["version"].get<std::string>().empty());
    const Json& capabilities = result["capabilities"];
    EXPECT_EQ(capabilities["textDocumentSync"]["change"], 2);
    EXPECT_EQ(capabilities["positionEncoding"], "utf-16");
    for (const char* provider : {"hoverProvider", "completionProvider", "definitionProvider", "documentSymbolProvider",
                                 "semanticTokensProvider"}) {
        EXPECT_TRUE(capabilities.contains(provider)) << provider;
    }
}

struct EndCase {
    const char* name;
    bool shutdown;
    bool sendExit;  ///< false: the input just ends
    int status;
};

void PrintTo(const EndCase& c, std::ostream* out) { *out << c.name; }

class Ending : public ::testing::TestWithParam<EndCase> {};

TEST_P(Ending, ExitStatusTellsWhetherShutdownCameFirst) {
    LspClient client;
    client.Initialize();
    if (GetParam().shutdown) {
        client.Request(1, "shutdown");
        const auto response = client.ResponseTo(1);
        ASSERT_TRUE(response);
        EXPECT_TRUE((*response)["result"].is_null());
    }
    if (GetParam().sendExit) {
        client.Notify("exit");
    } else {
        client.CloseInput();
    }
    EXPECT_EQ(client.WaitForExit(), GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(Cases, Ending,
                         ::testing::Values(EndCase{"ShutdownThenExit", true, true, 0},
                                           EndCase{"ExitWithoutShutdown", false, true, 1},
                                           EndCase{"InputEndsAfterShutdown", true, false, 0},
                                           EndCase{"InputEndsWithoutShutdown", false, false, 1}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(Lifecycle, RequestsBeforeInitializeASecondInitializeAndRequestsAfterShutdownAreRefused) {
    LspClient client;
    client.Request(1, "textDocument/hover",
                   {{"textDocument", {{"uri", "file:///a.c"}}}, {"position", {{"line", 0}, {"character", 0}}}});
    EXPECT_EQ(ErrorCode(client.ResponseTo(1)), -32002);
    client.Initialize();
    client.Request(4, "initialize", {{"capabilities", Json::object()}});
    EXPECT_EQ(ErrorCode(client.ResponseTo(4)), -32600);
    client.Request(2, "shutdown");
    ASSERT_TRUE(client.ResponseTo(2));
    client.Request(3, "textDocument/documentSymbol", {{"textDocument", {{"uri", "file:///a.c"}}}});
    EXPECT_EQ(ErrorCode(client.ResponseTo(3)), -32600);
    client.Notify("exit");
    EXPECT_EQ(client.WaitForExit(), 0);
}

struct BadInput {
    const char* name;
    std::string bytes;  ///< written as they are
    int code;           ///< the error answered, with id null unless the message had an id
};

void PrintTo(const BadInput& c, std::ostream* out) { *out << c.name; }

std::string Framed(const std::string& body) { return LspClient::Framed(body); }

class BadInputs : public ::testing::TestWithParam<BadInput> {};

TEST_P(BadInputs, AreAnsweredWithTheProtocolsErrorAndTheServerGoesOn) {
    LspClient client;
    client.Initialize();
    client.Open("file:///x.c", "int x;\n");
    client.SendRaw(GetParam().bytes);
    auto error = client.Receive();
    while (error && error->contains("method")) error = client.Receive();  // diagnostics
    ASSERT_TRUE(error) << "no answer";
    EXPECT_EQ((*error)["error"]["code"], GetParam().code) << error->dump();

    client.Request(99, "textDocument/completion",
                   {{"textDocument", {{"uri", "file:///none.c"}}}, {"position", {{"line", 0}, {"character", 0}}}});
    const auto after = client.ResponseTo(99);
    ASSERT_TRUE(after) << "the server stopped answering";
    EXPECT_TRUE(client.Running());
    EXPECT_FALSE(client.SawGarbage());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadInputs,
    ::testing::Values(
        BadInput{"BodyIsNotJson", Framed("{\"jsonrpc\": \"2.0\", \"id\": 1, \"method\""), -32700},
        BadInput{"HeaderLineWithoutColon", "hello there\r\n\r\n", -32700},
        BadInput{"BodyIsAnArray", Framed("[1, 2, 3]"), -32600},
        BadInput{"MessageWithoutMethod", Framed(R"({"jsonrpc":"2.0","id":5})"), -32600},
        BadInput{"IdIsAnObject", Framed(R"({"jsonrpc":"2.0","id":{},"method":"shutdown"})"), -32600},
        BadInput{"UnknownMethod", Framed(R"({"jsonrpc":"2.0","id":5,"method":"textDocument/frobnicate"})"), -32601},
        BadInput{
            "PositionIsAFloat",
            Framed(
                R"({"jsonrpc":"2.0","id":5,"method":"textDocument/hover","params":{"textDocument":{"uri":"file:///x.c"},"position":{"line":1.5e300,"character":0}}})"),
            -32602},
        BadInput{
            "DocumentNotOpen",
            Framed(
                R"({"jsonrpc":"2.0","id":5,"method":"textDocument/semanticTokens/full","params":{"textDocument":{"uri":"file:///other.c"}}})"),
            -32602},
        BadInput{"ParamsMissing", Framed(R"({"jsonrpc":"2.0","id":5,"method":"textDocument/definition"})"), -32602}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Robustness, UnknownAndBrokenNotificationsAreDroppedQuietly) {
    LspClient client;
    client.Initialize();
    client.Notify("$/setTrace", {{"value", "off"}});
    client.Notify("workspace/somethingNew");
    client.Notify("textDocument/didChange", {{"textDocument", {{"uri", "file:///never-opened.c"}, {"version", 2}}},
                                             {"contentChanges", Json::array()}});
    client.Notify("textDocument/didOpen", {{"textDocument", 7}});
    client.Request(1, "shutdown");
    const auto response =
        client.ResponseTo(1, [](const Json& other) { ADD_FAILURE() << "unexpected " << other.dump(); });
    ASSERT_TRUE(response);
    EXPECT_TRUE((*response)["result"].is_null());
}

TEST(Robustness, AnOversizedBodyIsSkippedWithoutBeingHeld) {
    LspClient client;
    client.Initialize();
    // Announced larger than the server holds; the bytes that follow are its body.
    const std::size_t length = (std::size_t{256} << 20) + 1;
    client.SendRaw("Content-Length: " + std::to_string(length) + "\r\n\r\n");
    const std::string chunk(1 << 20, ' ');
    for (std::size_t sent = 0; sent < length; sent += chunk.size()) {
        client.SendRaw(chunk.substr(0, std::min(chunk.size(), length - sent)));
    }
    const auto error = client.Receive();
    ASSERT_TRUE(error);
    EXPECT_EQ((*error)["error"]["code"], -32700);
    client.Request(1, "shutdown");
    EXPECT_TRUE(client.ResponseTo(1));
}

TEST(Robustness, ACancelledRequestIsAnsweredOnceEitherWay) {
    LspClient client;
    client.Initialize();
    client.Open("file:///c.c", "int x;\n");
    for (int id = 1; id <= 20; ++id) {
        client.Request(id, "textDocument/completion",
                       {{"textDocument", {{"uri", "file:///c.c"}}}, {"position", {{"line", 0}, {"character", 0}}}});
        client.Notify("$/cancelRequest", {{"id", id}});
    }
    for (int id = 1; id <= 20; ++id) {
        const auto response = client.ResponseTo(id);
        ASSERT_TRUE(response) << id;
        if (response->contains("error")) {
            EXPECT_EQ((*response)["error"]["code"], -32800);
        } else {
            EXPECT_TRUE((*response)["result"].contains("items"));
        }
    }
}

TEST(Robustness, WritesNoLogFileAndNothingButMessages) {
    LspClient client;
    client.Initialize();
    client.Open("file:///e.c", "int x;\nx = \"a\" * 2;\n");
    ASSERT_TRUE(client.DiagnosticsFor("file:///e.c"));
    client.Request(1, "shutdown");
    ASSERT_TRUE(client.ResponseTo(1));
    client.Notify("exit");
    EXPECT_EQ(client.WaitForExit(), 0);
    EXPECT_FALSE(client.SawGarbage());
    EXPECT_FALSE(std::filesystem::exists(client.Directory() + "/logfile.txt"));
}

}  // namespace
