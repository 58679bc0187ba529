#pragma once
#include <cstdint>

/// Kinds that ReadToken returns.
enum class TokenKind : int32_t {
    End = -1,       ///< end of text after blanks; the output is left unchanged
    Number = 1,     ///< the number as written
    Operator = 2,   ///< one- or two-character operator or punctuation
    CallName = 3,   ///< name followed (after blanks) by "("
    IndexName = 4,  ///< name followed (after blanks) by "["
    Name = 5,       ///< any other name
    StringLit = 6,  ///< string literal contents, escapes decoded
    Directive = 7,  ///< "#" directive name
};
