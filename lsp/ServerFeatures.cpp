// The language features: everything an editor asks about a place or the whole of a document.
// They read the document's current text and the declarations of its newest analysis.
#include <algorithm>

#include "LanguageCatalog.h"
#include "ScriptTokens.h"
#include "SemanticTokens.h"
#include "Server.h"

namespace {

namespace CompletionKind {
constexpr int Function = 3;
constexpr int Variable = 6;
constexpr int Keyword = 14;
}  // namespace CompletionKind

namespace SymbolKind {
constexpr int Function = 12;
constexpr int Variable = 13;
}  // namespace SymbolKind

bool Before(Position a, Position b) { return a.line < b.line || (a.line == b.line && a.character < b.character); }

bool Inside(const Range& range, Position position) {
    return !Before(position, range.start) && !Before(range.end, position);
}

/// User-function names ignore the case of ASCII letters, as the engine files them.
bool SameFunctionName(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

/// The name under the cursor and what the text makes of it.
struct Word {
    std::string text;
    TokenClass kind = TokenClass::Variable;
    Range range;
};

std::optional<Word> WordAt(const Document& document, Position position) {
    const std::string& text = *document.Text();
    const std::vector<ScriptToken> tokens = Tokenize(text);
    const ScriptToken* token = NameTokenAt(tokens, document.Lines().ToOffset(position));
    if (token == nullptr) return std::nullopt;
    return Word{
        text.substr(token->offset, token->length),
        token->kind,
        {document.Lines().ToPosition(token->offset), document.Lines().ToPosition(token->offset + token->length)}};
}

std::vector<const FunctionSymbol*> FunctionsNamed(const Analysis* analysis, std::string_view name) {
    std::vector<const FunctionSymbol*> found;
    if (analysis == nullptr) return found;
    for (const FunctionSymbol& function : analysis->functions) {
        if (SameFunctionName(function.name, name)) found.push_back(&function);
    }
    return found;
}

/// The parameter of that name of the function around the position, or null.
const VariableSymbol* ParameterAt(const Analysis* analysis, std::string_view name, Position position) {
    if (analysis == nullptr) return nullptr;
    for (const FunctionSymbol& function : analysis->functions) {
        if (!Inside(function.fullRange, position)) continue;
        for (const VariableSymbol& parameter : function.parameters) {
            if (parameter.name == name) return &parameter;
        }
    }
    return nullptr;
}

const VariableSymbol* GlobalNamed(const Analysis* analysis, std::string_view name) {
    if (analysis == nullptr) return nullptr;
    for (const VariableSymbol& global : analysis->globalVariables) {
        if (global.name == name) return &global;
    }
    return nullptr;
}

std::string CodeBlock(const std::string& code) { return "```c\n" + code + "\n```"; }

std::string DescribeFunctions(const std::vector<const FunctionSymbol*>& functions) {
    std::string code;
    for (const FunctionSymbol* function : functions) code += (code.empty() ? "" : "\n") + DescribeFunction(*function);
    return code;
}

/// The hover text of a name: its declarations, or the built-in's signature and description.
std::string HoverText(const Analysis* analysis, const Word& word, Position position) {
    const bool call = word.kind == TokenClass::Function;
    if (!call) {
        if (const VariableSymbol* parameter = ParameterAt(analysis, word.text, position)) {
            return CodeBlock(DescribeVariable(*parameter)) + "\nparameter";
        }
        if (const VariableSymbol* global = GlobalNamed(analysis, word.text)) {
            return CodeBlock(DescribeVariable(*global)) + "\nglobal variable";
        }
    }
    std::string text;
    const auto functions = FunctionsNamed(analysis, word.text);
    if (!functions.empty()) text = CodeBlock(DescribeFunctions(functions));
    if (const BuiltinFunction* builtin = call ? FindBuiltin(word.text) : nullptr) {
        if (!text.empty()) text += "\n";
        text += CodeBlock(std::string(builtin->signature)) + "\n" + std::string(builtin->description);
    }
    return text;
}

Json Location(const std::string& uri, const Range& range) { return {{"uri", uri}, {"range", WriteRange(range)}}; }

Json CompletionItem(std::string_view label, int kind, std::string_view detail) {
    return {{"label", label}, {"kind", kind}, {"detail", detail}};
}

}  // namespace

Json Server::Hover(const Json& params) {
    const Document& document = OpenDocument(params);
    const Position position = ReadPosition(ObjectField(params, "position"));
    const auto word = WordAt(document, position);
    if (!word || word->kind == TokenClass::Keyword || word->kind == TokenClass::Type) return nullptr;
    const auto analysis = scheduler.Declarations(StringField(params["textDocument"], "uri"));
    const std::string text = HoverText(analysis.get(), *word, position);
    if (text.empty()) return nullptr;
    return {{"contents", {{"kind", "markdown"}, {"value", text}}}, {"range", WriteRange(word->range)}};
}

Json Server::Completion(const Json& params) {
    const std::string& uri = StringField(ObjectField(params, "textDocument"), "uri");
    OpenDocument(params);
    const Position position = ReadPosition(ObjectField(params, "position"));
    const auto analysis = scheduler.Declarations(uri);

    Json items = Json::array();
    for (std::string_view keyword : Keywords())
        items.push_back(CompletionItem(keyword, CompletionKind::Keyword, "keyword"));
    for (std::string_view type : TypeNames()) items.push_back(CompletionItem(type, CompletionKind::Keyword, "type"));
    for (const BuiltinFunction& builtin : Builtins()) {
        Json item = CompletionItem(builtin.name, CompletionKind::Function, builtin.signature);
        item["documentation"] = builtin.description;
        items.push_back(std::move(item));
    }
    if (analysis) {
        for (const FunctionSymbol& function : analysis->functions) {
            items.push_back(CompletionItem(function.name, CompletionKind::Function, DescribeFunction(function)));
            if (!Inside(function.fullRange, position)) continue;
            for (const VariableSymbol& parameter : function.parameters) {
                items.push_back(CompletionItem(parameter.name, CompletionKind::Variable, DescribeVariable(parameter)));
            }
        }
        for (const VariableSymbol& global : analysis->globalVariables) {
            items.push_back(CompletionItem(global.name, CompletionKind::Variable, DescribeVariable(global)));
        }
    }
    return {{"isIncomplete", false}, {"items", std::move(items)}};
}

Json Server::Definition(const Json& params) {
    const Document& document = OpenDocument(params);
    const std::string& uri = StringField(params["textDocument"], "uri");
    const Position position = ReadPosition(ObjectField(params, "position"));
    const auto word = WordAt(document, position);
    if (!word || word->kind == TokenClass::Keyword) return nullptr;
    const auto analysis = scheduler.Declarations(uri);

    Json locations = Json::array();
    if (word->kind != TokenClass::Function) {
        const VariableSymbol* variable = ParameterAt(analysis.get(), word->text, position);
        if (variable == nullptr) variable = GlobalNamed(analysis.get(), word->text);
        if (variable != nullptr) locations.push_back(Location(uri, variable->nameRange));
    }
    if (locations.empty()) {
        for (const FunctionSymbol* function : FunctionsNamed(analysis.get(), word->text)) {
            locations.push_back(Location(uri, function->nameRange));
        }
    }
    if (locations.empty()) return nullptr;
    return locations;
}

Json Server::DocumentSymbol(const Json& params) {
    OpenDocument(params);
    const auto analysis = scheduler.Declarations(StringField(params["textDocument"], "uri"));
    Json symbols = Json::array();
    if (!analysis) return symbols;
    for (const FunctionSymbol& function : analysis->functions) {
        symbols.push_back({{"name", function.name},
                           {"detail", DescribeFunction(function)},
                           {"kind", SymbolKind::Function},
                           {"range", WriteRange(function.fullRange)},
                           {"selectionRange", WriteRange(function.nameRange)}});
    }
    for (const VariableSymbol& global : analysis->globalVariables) {
        symbols.push_back({{"name", global.name},
                           {"detail", DescribeVariable(global)},
                           {"kind", SymbolKind::Variable},
                           {"range", WriteRange(global.nameRange)},
                           {"selectionRange", WriteRange(global.nameRange)}});
    }
    return symbols;
}

Json Server::SemanticTokensFull(const Json& params) {
    const Document& document = OpenDocument(params);
    return {{"data", EncodeSemanticTokens(document.Lines(), Tokenize(*document.Text()))}};
}
