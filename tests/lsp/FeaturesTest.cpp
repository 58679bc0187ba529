// Each capability against a real server: diagnostics with their ranges and severities, edits
// in UTF-16 positions, hover, completion, definition, symbols and semantic tokens.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "LspClient.h"
#include "support/ScriptText.h"

namespace {

const std::string kUri = "file:///work/script.c";

Json Range(int line, int from, int to) {
    return {{"start", {{"line", line}, {"character", from}}}, {"end", {{"line", line}, {"character", to}}}};
}

Json At(int line, int character) {
    return {{"textDocument", {{"uri", kUri}}}, {"position", {{"line", line}, {"character", character}}}};
}

// Line 4 holds a non-ASCII letter before the error, so its UTF-16 column differs from its byte column.
const std::string kScript =
    "int count;\n"                                                // 0
    "int add(int a, float b) {\n"                                 // 1
    "  return a + offset;\n"                                      // 2
    "}\r\n"                                                       // 3
    "count = add(1, 2) + host(3);\r"                              // 4
    "string s = \"\xC3\xA9\xF0\x9F\x98\x80\"; count = s * 2;\n";  // 5: é and an emoji

class Features : public ::testing::Test {
protected:
    void SetUp() override {
        client.Initialize();
        client.Open(kUri, kScript);
        const auto diagnostics = client.DiagnosticsFor(kUri);
        ASSERT_TRUE(diagnostics);
        published = *diagnostics;
    }
    Json Ask(const std::string& method, const Json& params) {
        client.Request(++lastId, method, params);
        const auto response = client.ResponseTo(lastId);
        EXPECT_TRUE(response) << method;
        return response ? (*response)["result"] : Json();
    }
    /// Replaces the whole text with a change of the version and waits for its diagnostics.
    Json Replace(int version, const std::string& text) {
        client.Notify("textDocument/didChange", {{"textDocument", {{"uri", kUri}, {"version", version}}},
                                                 {"contentChanges", {{{"text", text}}}}});
        const auto diagnostics = client.DiagnosticsFor(kUri, version);
        EXPECT_TRUE(diagnostics) << version;
        return diagnostics ? (*diagnostics)["diagnostics"] : Json();
    }

    LspClient client;
    Json published;
    int lastId = 0;
};

TEST_F(Features, DiagnosticsGiveTheErrorThenEachExternalAtItsFirstUse) {
    EXPECT_EQ(published["version"], 1);
    const Json& diagnostics = published["diagnostics"];
    ASSERT_EQ(diagnostics.size(), 3u) << diagnostics.dump();
    EXPECT_EQ(diagnostics[0]["severity"], 1);
    EXPECT_EQ(diagnostics[0]["source"], "tarvel");
    EXPECT_EQ(diagnostics[0]["message"], "Operator '*' not applicable on 'String'");
    // '*' is byte 31 of its line; é (two bytes) and the emoji (four) take three UTF-16 units.
    EXPECT_EQ(diagnostics[0]["range"], Range(5, 28, 29));
    EXPECT_EQ(diagnostics[1]["message"], "external variable 'offset' must be supplied by the host");
    EXPECT_EQ(diagnostics[1]["severity"], 3);
    EXPECT_EQ(diagnostics[1]["range"], Range(2, 13, 19));
    EXPECT_EQ(diagnostics[2]["message"], "external function 'host' must be supplied by the host");
    EXPECT_EQ(diagnostics[2]["range"], Range(4, 20, 24));
}

TEST_F(Features, IncrementalChangesInUtf16PositionsAreAppliedWhereTheClientMeant) {
    // "count = s * 2" becomes "count = s + s": the 2 at UTF-16 column 30, then the '*' at 28.
    client.Notify("textDocument/didChange",
                  {{"textDocument", {{"uri", kUri}, {"version", 2}}},
                   {"contentChanges",
                    {{{"range", Range(5, 30, 31)}, {"text", "s"}}, {{"range", Range(5, 28, 29)}, {"text", "+"}}}}});
    const auto diagnostics = client.DiagnosticsFor(kUri, 2);
    ASSERT_TRUE(diagnostics);
    ASSERT_EQ((*diagnostics)["diagnostics"].size(), 3u) << diagnostics->dump();
    EXPECT_EQ((*diagnostics)["diagnostics"][0]["message"], "Operator '=' type mismatch");
    EXPECT_EQ((*diagnostics)["diagnostics"][0]["range"], Range(5, 24, 25));

    // A change without a range replaces the whole text.
    const Json whole = Replace(3, "int y;\ny = z;\n");
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0]["range"], Range(1, 4, 5));
}

TEST_F(Features, HoverShowsSignaturesDescriptionsAndTypes) {
    struct Case {
        int line, character;
        std::string expected;
    };
    Replace(2,
            "int count;\nint add(int a, float b) { return a; }\nvoid ADD(string t) { }\n"
            "count = add(1, 2) + sqrt(count);\n");
    const Case cases[] = {
        {3, 9, "```c\nint add(int a, float b)\nvoid ADD(string t)\n```"},
        {3, 22, "```c\nfloat sqrt(float x)\n```\nSquare root of x."},
        {3, 1, "```c\nint count\n```\nglobal variable"},
        {1, 33, "```c\nint a\n```\nparameter"},
    };
    for (const Case& c : cases) {
        const Json hover = Ask("textDocument/hover", At(c.line, c.character));
        ASSERT_TRUE(hover.is_object()) << c.expected;
        EXPECT_EQ(hover["contents"]["value"], c.expected);
    }
    EXPECT_TRUE(Ask("textDocument/hover", At(1, 0)).is_null()) << "a type keyword has nothing to show";
}

TEST_F(Features, CompletionOffersTheLanguageAndTheScriptsNamesWithParametersOnlyInTheirFunction) {
    const auto labels = [&](int line, int character) {
        std::vector<std::string> found;
        const Json result = Ask("textDocument/completion", At(line, character));
        for (const Json& item : result["items"]) found.push_back(item["label"]);
        return found;
    };
    const auto inside = labels(2, 4);
    for (const char* expected : {"while", "return", "int", "string", "strtrim", "DEG", "add", "count", "a", "b"}) {
        EXPECT_NE(std::find(inside.begin(), inside.end(), expected), inside.end()) << expected;
    }
    const auto outside = labels(4, 0);
    EXPECT_EQ(std::find(outside.begin(), outside.end(), "a"), outside.end());
    EXPECT_NE(std::find(outside.begin(), outside.end(), "count"), outside.end());
}

TEST_F(Features, DefinitionFindsEachOverloadAndGlobals) {
    Replace(2, "int n;\nint f(int a) { return a; }\nint F(int a, int b) { return b; }\nn = f(n);\n");
    const Json functions = Ask("textDocument/definition", At(3, 4));
    ASSERT_EQ(functions.size(), 2u) << functions.dump();
    EXPECT_EQ(functions[0]["range"], Range(1, 4, 5));
    EXPECT_EQ(functions[1]["range"], Range(2, 4, 5));
    EXPECT_EQ(functions[0]["uri"], kUri);
    const Json global = Ask("textDocument/definition", At(3, 6));
    ASSERT_EQ(global.size(), 1u);
    EXPECT_EQ(global[0]["range"], Range(0, 4, 5));
    const Json parameter = Ask("textDocument/definition", At(1, 22));
    ASSERT_EQ(parameter.size(), 1u);
    EXPECT_EQ(parameter[0]["range"], Range(1, 10, 11));
}

TEST_F(Features, DocumentSymbolsListFunctionsAndGlobalsWithTheirRanges) {
    const Json symbols = Ask("textDocument/documentSymbol", {{"textDocument", {{"uri", kUri}}}});
    ASSERT_EQ(symbols.size(), 3u) << symbols.dump();
    EXPECT_EQ(symbols[0]["name"], "add");
    EXPECT_EQ(symbols[0]["kind"], 12);
    EXPECT_EQ(symbols[0]["detail"], "int add(int a, float b)");
    EXPECT_EQ(symbols[0]["selectionRange"], Range(1, 4, 7));
    EXPECT_EQ(symbols[0]["range"]["end"], Json({{"line", 3}, {"character", 1}}));
    EXPECT_EQ(symbols[1]["name"], "count");
    EXPECT_EQ(symbols[1]["kind"], 13);
    EXPECT_EQ(symbols[2]["name"], "s");
    EXPECT_EQ(symbols[2]["detail"], "string s");
}

TEST_F(Features, SemanticTokensColourEachKindAndSplitMultiLineComments) {
    Replace(2, "/* one\ntwo */ if (x) y = f(\"s\", 1.5); // end\n");
    const Json data = Ask("textDocument/semanticTokens/full", {{"textDocument", {{"uri", kUri}}}})["data"];
    ASSERT_EQ(data.size() % 5, 0u);
    struct Token {
        int line, start, length, type;
        bool operator==(const Token&) const = default;
    };
    std::vector<Token> tokens;
    int line = 0, start = 0;
    for (std::size_t k = 0; k < data.size(); k += 5) {
        line += data[k].get<int>();
        start = data[k].get<int>() == 0 ? start + data[k + 1].get<int>() : data[k + 1].get<int>();
        tokens.push_back({line, start, data[k + 2], data[k + 3]});
    }
    // keyword 0, type 1, function 2, variable 3, string 4, number 5, comment 6
    const std::vector<Token> expected = {
        {0, 0, 6, 6},  {1, 0, 6, 6},  {1, 7, 2, 0},  {1, 11, 1, 3}, {1, 14, 1, 3},
        {1, 18, 1, 2}, {1, 20, 3, 4}, {1, 25, 3, 5}, {1, 31, 6, 6},
    };
    EXPECT_EQ(tokens, expected);
}

TEST(Diagnostics, ExternalsCanBeSwitchedOffAndLoadErrorsArePublished) {
    LspClient client;
    client.Initialize({{"externalNames", false}});
    client.Open(kUri, "int x;\nx = y;\nx = 1 $ 2;\n");
    const auto diagnostics = client.DiagnosticsFor(kUri);
    ASSERT_TRUE(diagnostics);
    ASSERT_EQ((*diagnostics)["diagnostics"].size(), 1u) << diagnostics->dump();
    const Json& error = (*diagnostics)["diagnostics"][0];
    EXPECT_EQ(error["message"], "Encountered invalid character: $ (36)");
    EXPECT_EQ(error["severity"], 1);
    EXPECT_EQ(error["range"], Range(2, 6, 7));
}

TEST(Diagnostics, ClosingClearsThem) {
    LspClient client;
    client.Initialize();
    client.Open(kUri, "x = y;\n");
    ASSERT_TRUE(client.DiagnosticsFor(kUri));
    client.Notify("textDocument/didClose", {{"textDocument", {{"uri", kUri}}}});
    const auto cleared = client.DiagnosticsFor(kUri);
    ASSERT_TRUE(cleared);
    EXPECT_TRUE((*cleared)["diagnostics"].empty());
}

TEST(Diagnostics, AThousandRapidChangesEndInTheLastVersionAndNeverGoBack) {
    LspClient client;
    client.Initialize();
    client.Open(kUri, "int x;\n");
    std::string text = "int x;\n";
    for (int version = 2; version <= 1001; ++version) {
        client.Notify(
            "textDocument/didChange",
            {{"textDocument", {{"uri", kUri}, {"version", version}}},
             {"contentChanges", {{{"range", Range(1, 0, 0)}, {"text", "x = v" + std::to_string(version) + ";\n"}}}}});
    }
    int lastVersion = 0;
    Json last;
    while (lastVersion < 1001) {
        const auto diagnostics = client.DiagnosticsFor(kUri);
        ASSERT_TRUE(diagnostics) << "stopped at version " << lastVersion;
        const int version = (*diagnostics)["version"];
        EXPECT_GT(version, lastVersion) << "a stale result came after a newer one";
        lastVersion = version;
        last = *diagnostics;
    }
    // Each change went in at the start of line 1, so the newest name comes first.
    ASSERT_EQ(last["diagnostics"].size(), 1000u);
    EXPECT_EQ(last["diagnostics"][0]["message"], "external variable 'v10' must be supplied by the host");
}

// A validation that would run to its time limit is stopped as soon as it is of no use: the
// seconds bounds below are far below that limit and far above a prompt answer.
TEST(Diagnostics, ANewTextStopsTheEndlessValidationOfTheOldOne) {
    LspClient client;
    client.Initialize();
    client.Open(kUri, DoublingChain(40) + "int r = f40(1);\r\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // past the quiet time: it runs
    client.Notify("textDocument/didChange", {{"textDocument", {{"uri", kUri}, {"version", 2}}},
                                             {"contentChanges", {{{"text", "int x;\nx = y;\n"}}}}});
    const auto diagnostics = client.DiagnosticsFor(kUri, 2, std::chrono::seconds(4));
    ASSERT_TRUE(diagnostics) << "the old text's validation was not stopped";
    ASSERT_EQ((*diagnostics)["diagnostics"].size(), 1u) << diagnostics->dump();
    EXPECT_EQ((*diagnostics)["diagnostics"][0]["message"], "external variable 'y' must be supplied by the host");
}

TEST(Diagnostics, ATenMebibyteDocumentIsValidatedAndTheServerStaysResponsive) {
    LspClient client;
    client.Initialize();
    std::string text;
    text.reserve((10u << 20) + 64);
    for (int k = 0; text.size() < (10u << 20); ++k) {
        text +=
            "int v" + std::to_string(k) + "; v" + std::to_string(k) + " = " + std::to_string(k) + " + 1; // padding\n";
    }
    text += "v0 = \"late\";\n";
    client.Open(kUri, text);
    client.Request(1, "textDocument/documentSymbol", {{"textDocument", {{"uri", kUri}}}});
    ASSERT_TRUE(client.ResponseTo(1)) << "the message loop waited for the validation";
    const auto diagnostics = client.DiagnosticsFor(kUri);
    ASSERT_TRUE(diagnostics);
    ASSERT_FALSE((*diagnostics)["diagnostics"].empty());
    EXPECT_EQ((*diagnostics)["diagnostics"][0]["message"], "Operator '=' type mismatch");
}

}  // namespace
