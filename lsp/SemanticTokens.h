#pragma once
// Tokens in the protocol's semantic-token encoding, so that editors without a grammar for
// scripts still colour them.
#include <cstdint>
#include <string>
#include <vector>

#include "ScriptTokens.h"
#include "TextPositions.h"

/// The legend: the protocol's names of the token types, indexed by the encoded type number.
std::vector<std::string> SemanticTokenTypes();

/// Five numbers per token piece (line delta, start delta, length, type, no modifiers), with
/// every token that spans lines cut into one piece per line, as clients expect.
std::vector<std::uint32_t> EncodeSemanticTokens(const LineIndex& lines, const std::vector<ScriptToken>& tokens);
