#pragma once
// A lexical pass over a script for the editor's sake: colours and the word under the cursor.
// It follows the engine's scanner in what counts as a blank, a name, a number, a string or a
// comment, but never fails: text the engine would refuse is passed over.
#include <cstddef>
#include <string_view>
#include <vector>

/// What a token is to an editor.
enum class TokenClass {
    Keyword,   ///< if, while, return, ... and the #include directive
    Type,      ///< int, float, string, void where they declare
    Function,  ///< a name followed by "(": a call or a declaration
    Variable,  ///< any other name
    String,    ///< a string literal, quotes included
    Number,    ///< a number literal
    Comment,   ///< a line or block comment
    Operator,  ///< operators and punctuation
};

/// One token: where its bytes are and what it is.
struct ScriptToken {
    std::size_t offset = 0;  ///< first byte
    std::size_t length = 0;  ///< bytes
    TokenClass kind = TokenClass::Operator;
};

/// The tokens of the whole text in order.
std::vector<ScriptToken> Tokenize(std::string_view text);

/// The name token (Keyword, Type, Function or Variable) that holds the offset or ends right
/// at it, so that a cursor just after a word still finds it; null when there is none.
const ScriptToken* NameTokenAt(const std::vector<ScriptToken>& tokens, std::size_t offset);
