// Random traffic from a fixed seed: well-formed methods with wrong or odd parameters, edits at
// random (also impossible) positions, broken frames and bodies. The server must answer every
// request, stay up, and write nothing but framed messages.
#include <gtest/gtest.h>

#include <random>

#include "LspClient.h"

namespace {

const std::string kUri = "file:///random.c";

class Traffic {
public:
    explicit Traffic(unsigned seed) : random(seed) {}

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }

    /// A JSON value of any kind, sometimes of the kind the protocol expects.
    Json AnyValue(int depth = 0) {
        switch (Pick(depth > 2 ? 6 : 8)) {
        case 0:
            return nullptr;
        case 1:
            return Pick(2) == 0;
        case 2:
            return Pick(2000) - 1000;
        case 3:
            return 1e300 * (Pick(3) - 1);
        case 4:
            return std::uint64_t{18446744073709551615u};
        case 5:
            return AnyText();
        case 6:
            return Json::array({AnyValue(depth + 1), AnyValue(depth + 1)});
        default:
            return {{"line", AnyValue(depth + 1)}, {"character", Pick(50)}, {"uri", kUri}};
        }
    }

    std::string AnyText() {
        static const char* pieces[] = {"int ", "x",        "(",    ")",        "{",
                                       "}",    ";",        "\"",   "/*",       "*/",
                                       "\n",   "\r",       "\r\n", "\xC3\xA9", "\xF0\x9F\x98\x80",
                                       "$",    "#include", " = ",  "1.5e",     "while"};
        std::string text;
        for (int k = Pick(12); k > 0; --k) text += pieces[Pick(static_cast<int>(std::size(pieces)))];
        return text;
    }

    Json AnyPosition() { return Pick(5) == 0 ? AnyValue() : Json{{"line", Pick(12) - 2}, {"character", Pick(40) - 5}}; }

    Json DocumentParams() {
        Json params = {{"textDocument", {{"uri", Pick(6) == 0 ? "file:///other.c" : kUri}, {"version", ++version}}},
                       {"position", AnyPosition()}};
        if (Pick(8) == 0) params["textDocument"] = AnyValue();
        return params;
    }

    /// One message or piece of bytes; true when it was a request that must be answered.
    bool SendOne(LspClient& client, int id) {
        static const char* requests[] = {
            "textDocument/hover",          "textDocument/completion",          "textDocument/definition",
            "textDocument/documentSymbol", "textDocument/semanticTokens/full", "no/such"};
        switch (Pick(10)) {
        case 0:
        case 1:
        case 2: {
            Json change = {{"text", AnyText()}};
            if (Pick(5) != 0) change["range"] = {{"start", AnyPosition()}, {"end", AnyPosition()}};
            Json params = DocumentParams();
            params["contentChanges"] = Json::array({change});
            client.Notify("textDocument/didChange", params);
            return false;
        }
        case 3:
            client.SendRaw("Content-Length: " + std::to_string(Pick(30)) + "x\r\n\r\n");
            return false;
        case 4:
            client.SendRaw(LspClient::Framed(AnyText()));
            return false;
        case 5:
            client.Send(AnyValue());
            return false;
        case 6:
            client.Open(kUri, AnyText(), ++version);
            return false;
        default:
            client.Request(id, requests[Pick(static_cast<int>(std::size(requests)))],
                           Pick(6) == 0 ? AnyValue() : DocumentParams());
            return true;
        }
    }

private:
    std::mt19937 random;
    int version = 1;
};

TEST(RandomizedProtocol, EveryRequestIsAnsweredAndTheServerStaysUp) {
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        LspClient client;
        client.Initialize();
        client.Open(kUri, "int x;\nx = y;\n");
        Traffic traffic(seed);
        std::vector<int> asked;
        for (int id = 1; id <= 300; ++id) {
            if (traffic.SendOne(client, id)) asked.push_back(id);
        }
        client.Request(1000, "shutdown");
        std::set<int> answered;
        ASSERT_TRUE(client.ResponseTo(1000, [&](const Json& message) {
            if (message.contains("id") && message["id"].is_number_integer()) answered.insert(message["id"].get<int>());
        }));
        for (int id : asked) EXPECT_TRUE(answered.count(id)) << "request " << id << " went unanswered";
        client.Notify("exit");
        EXPECT_EQ(client.WaitForExit(), 0);
        EXPECT_FALSE(client.SawGarbage());
    }
}

}  // namespace
