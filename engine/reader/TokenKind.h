#pragma once

/// Kinds that ReadToken returns.
namespace TokenKind {
constexpr int End = -1;        ///< end of text after blanks; the output is left unchanged
constexpr int Number = 1;      ///< the number as written
constexpr int Operator = 2;    ///< one- or two-character operator or punctuation
constexpr int CallName = 3;    ///< name followed (after blanks) by "("
constexpr int IndexName = 4;   ///< name followed (after blanks) by "["
constexpr int Name = 5;        ///< any other name
constexpr int StringLit = 6;   ///< string literal contents, escapes decoded
constexpr int Directive = 7;   ///< "#" directive name
}  // namespace TokenKind
