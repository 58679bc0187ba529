#include "ScriptTokens.h"

#include <algorithm>
#include <cstring>

#include "LanguageCatalog.h"

namespace {

// Bytes compare as signed values in the engine, so 0x80 to 0xFF are blanks like the controls.
bool IsBlank(char c) { return static_cast<signed char>(c) <= 32; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || IsDigit(c); }
bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

class Lexer {
public:
    explicit Lexer(std::string_view text) : text(text) {}

    std::vector<ScriptToken> Run() {
        while (at < text.size()) {
            const char c = text[at];
            const std::size_t start = at;
            if (IsBlank(c)) {
                ++at;
            } else if (c == '/' && Next() == '/') {
                while (at < text.size() && !IsLineBreak(text[at])) ++at;
                Emit(start, TokenClass::Comment);
            } else if (c == '/' && Next() == '*') {
                // The closing "*/" may share the opening's star: "/*/" is a whole comment.
                const std::size_t close = text.find("*/", at + 1);
                at = close == std::string_view::npos ? text.size() : close + 2;
                Emit(start, TokenClass::Comment);
            } else if (c == '"') {
                String();
                Emit(start, TokenClass::String);
            } else if (IsDigit(c)) {
                Number();
                Emit(start, TokenClass::Number);
            } else if (IsNameStart(c)) {
                Name(start);
            } else if (c == '#') {
                ++at;
                while (at < text.size() && IsBlank(text[at]) && !IsLineBreak(text[at])) ++at;
                while (at < text.size() && IsNameChar(text[at])) ++at;
                Emit(start, TokenClass::Keyword);
            } else {
                ++at;
                Emit(start, TokenClass::Operator);
            }
        }
        return std::move(tokens);
    }

private:
    char Next() const { return at + 1 < text.size() ? text[at + 1] : '\0'; }

    void Emit(std::size_t start, TokenClass kind) { tokens.push_back({start, at - start, kind}); }

    void String() {
        ++at;
        while (at < text.size()) {
            const char c = text[at++];
            if (c == '"') return;
            if (c == '\\' && at < text.size()) ++at;
        }
    }

    void Number() {
        bool exponent = false;
        while (at < text.size()) {
            const char c = text[at];
            if (IsDigit(c) || c == '.') {
                ++at;
            } else if ((c == 'e' || c == 'E') && !exponent) {
                exponent = true;
                ++at;
                if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
            } else {
                return;
            }
        }
    }

    void Name(std::size_t start) {
        while (at < text.size() && IsNameChar(text[at])) ++at;
        const std::string_view word = text.substr(start, at - start);
        TokenClass kind = TokenClass::Variable;
        if (IsTypeName(word)) {
            kind = TokenClass::Type;
        } else if (IsKeyword(word)) {
            kind = TokenClass::Keyword;
        }
        // Control words stay keywords before "("; a type name before "(" is a conversion call.
        if (kind != TokenClass::Keyword && FollowedByParenthesis()) kind = TokenClass::Function;
        Emit(start, kind);
    }

    bool FollowedByParenthesis() const {
        std::size_t k = at;
        while (k < text.size() && IsBlank(text[k])) ++k;
        return k < text.size() && text[k] == '(';
    }

    std::string_view text;
    std::size_t at = 0;
    std::vector<ScriptToken> tokens;
};

bool IsName(TokenClass kind) {
    return kind == TokenClass::Keyword || kind == TokenClass::Type || kind == TokenClass::Function ||
           kind == TokenClass::Variable;
}

}  // namespace

std::vector<ScriptToken> Tokenize(std::string_view text) { return Lexer(text).Run(); }

const ScriptToken* NameTokenAt(const std::vector<ScriptToken>& tokens, std::size_t offset) {
    // The first token that ends at or after the offset, then the one before it for a cursor
    // that stands just behind a word.
    auto it = std::lower_bound(tokens.begin(), tokens.end(), offset, [](const ScriptToken& token, std::size_t at) {
        return token.offset + token.length < at;
    });
    for (; it != tokens.end() && it->offset <= offset; ++it) {
        if (IsName(it->kind)) return &*it;
    }
    return nullptr;
}
