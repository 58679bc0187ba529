#include "SemanticTokens.h"

#include <algorithm>
#include <optional>

namespace {

/// The legend's index of a token class; none for operators, which editors leave uncoloured.
std::optional<std::uint32_t> TypeIndex(TokenClass kind) {
    switch (kind) {
    case TokenClass::Keyword:
        return 0;
    case TokenClass::Type:
        return 1;
    case TokenClass::Function:
        return 2;
    case TokenClass::Variable:
        return 3;
    case TokenClass::String:
        return 4;
    case TokenClass::Number:
        return 5;
    case TokenClass::Comment:
        return 6;
    case TokenClass::Operator:
        break;
    }
    return std::nullopt;
}

struct Piece {
    std::size_t start, end;
    std::uint32_t type;
};

}  // namespace

std::vector<std::string> SemanticTokenTypes() {
    return {"keyword", "type", "function", "variable", "string", "number", "comment"};
}

std::vector<std::uint32_t> EncodeSemanticTokens(const LineIndex& lines, const std::vector<ScriptToken>& tokens) {
    std::vector<Piece> pieces;
    for (const ScriptToken& token : tokens) {
        const auto type = TypeIndex(token.kind);
        if (!type) continue;
        const std::size_t end = token.offset + token.length;
        std::size_t start = token.offset;
        for (int line = lines.LineOf(start); start < end; ++line) {
            const std::size_t pieceEnd = std::min(end, lines.LineEnd(line));
            if (pieceEnd > start) pieces.push_back({start, pieceEnd, *type});
            if (line + 1 >= lines.LineCount()) break;
            start = std::max(start, lines.LineStart(line + 1));
        }
    }

    std::vector<std::size_t> offsets;
    offsets.reserve(pieces.size() * 2);
    for (const Piece& piece : pieces) {
        offsets.push_back(piece.start);
        offsets.push_back(piece.end);
    }
    const std::vector<Position> positions = lines.ToPositions(offsets);

    std::vector<std::uint32_t> data;
    data.reserve(pieces.size() * 5);
    Position previous;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        const Position start = positions[2 * k];
        const Position end = positions[2 * k + 1];
        const int deltaLine = start.line - previous.line;
        const int deltaStart = deltaLine == 0 ? start.character - previous.character : start.character;
        data.push_back(static_cast<std::uint32_t>(deltaLine));
        data.push_back(static_cast<std::uint32_t>(deltaStart));
        data.push_back(static_cast<std::uint32_t>(end.character - start.character));
        data.push_back(pieces[k].type);
        data.push_back(0);
        previous = start;
    }
    return data;
}
