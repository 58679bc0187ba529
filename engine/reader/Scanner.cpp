#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "reader/NameChars.h"
#include "reader/ReaderMessages.h"
#include "reader/ScriptReader.h"

using namespace ReaderMessages;

namespace {

// Classes are decided on the signed byte: everything from 0x80 up reads as negative and is
// therefore a blank, whatever 8-bit encoding the script was written in.
constexpr int Signed(char c) { return static_cast<signed char>(c); }

constexpr bool IsBlank(char c) { return Signed(c) <= 32; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

// Looked up like the name characters: every token that is no name is tested against these.
constexpr auto kOperatorChars = [] {
    std::array<bool, 256> table{};
    for (int v = 0; v < 128; ++v) {
        table[static_cast<std::size_t>(v)] =
            v == 33 || (v >= 37 && v <= 47) || (v >= 58 && v <= 64) || (v >= 91 && v <= 94) || (v >= 123 && v <= 126);
    }
    return table;
}();

bool IsOperatorChar(char c) { return kOperatorChars[static_cast<unsigned char>(c)]; }

// Indentation makes up much of a script, and every pass over a body walks it again: a run of
// blanks is measured eight bytes at a time. A byte is a blank unless it lies in 0x21..0x7F;
// adding 0x5F to its low seven bits sets the top bit exactly from 0x21 on, and bytes with the
// top bit set of their own are blanks.
int BlankRunEnd(const char* text, int p, int length) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    constexpr std::uint64_t kAdd = 0x5F5F5F5F5F5F5F5Full;
    constexpr std::uint64_t kTop = 0x8080808080808080ull;
    while (length - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, text + p, sizeof word);
        const std::uint64_t printable = ((word & kLow7) + kAdd) & ~word & kTop;
        if (printable != 0) {
            const int first =
                std::endian::native == std::endian::little ? std::countr_zero(printable) : std::countl_zero(printable);
            return p + first / 8;
        }
        p += 8;
    }
    while (p < length && IsBlank(text[p])) ++p;
    return p;
}

// Two characters form one operator only in these pairs; there are no longer operators. Every
// operator of the script is checked against them, so they are looked up rather than searched.
constexpr auto kTakesEquals = [] {
    std::array<bool, 256> table{};
    for (const char c : std::string_view("><!^&%|*/+-~")) table[static_cast<unsigned char>(c)] = true;
    return table;
}();
constexpr auto kDoubles = [] {
    std::array<bool, 256> table{};
    for (const char c : std::string_view("+-=|&")) table[static_cast<unsigned char>(c)] = true;
    return table;
}();

bool FormsPair(char c, char d) {
    if (d == '=') return kTakesEquals[static_cast<unsigned char>(c)] || c == '=';
    return d == c && kDoubles[static_cast<unsigned char>(c)];
}

// Copies n bytes into the reused output; it grows only when the token is longer than any before.
// A pass that only walks the tokens gives no output. readable is how far the bytes may be read.
void Deliver(CharBuffer* out, const char* bytes, int n, int readable) {
    if (out == nullptr) return;
    char* target = out->Overwrite(n);
    CopyShort(target, out->Capacity(), bytes, readable, n);
    target[n] = '\0';
}

// Bytes of the text that may be read from pos on, its terminating NUL included; no copy of a
// short token looks further than 16.
int ReadableFrom(const std::string& text, int pos) {
    return static_cast<int>(std::min<std::size_t>(text.size() + 1 - static_cast<std::size_t>(pos), 16));
}

void ReadOperator(ScriptReader& engine, CharBuffer* out) {
    const char first = engine.ReadChar();
    const char second = engine.AtEnd() ? '\0' : engine.PeekChar();
    const bool two = second != '\0' && FormsPair(first, second);
    if (two) engine.ReadChar();
    if (out == nullptr) return;
    char* target = out->Overwrite(two ? 2 : 1);
    target[0] = first;
    if (two) target[1] = second;
}

// Reads a string literal after its opening quote: a counting pass that finds its end and
// length, then a decoding pass into a buffer of exactly that length.
void ReadStringLiteral(ScriptReader& engine, CharBuffer* out) {
    const int first = engine.position;
    int decoded = 0;
    for (;;) {
        // Running out inside the literal is reported as such, unless nothing was read yet or
        // an escape was cut off, where the text simply ended too early.
        if (decoded > 0 && engine.AtEnd()) engine.ScriptError(kEndOfFileInString);
        const char c = engine.ReadChar();
        if (c == '"') break;
        if (c == '\\') engine.ReadChar();
        ++decoded;
    }
    if (out == nullptr) return;

    char* target = out->Overwrite(decoded);
    const char* source = engine.sourceText.data() + first;
    for (int k = 0; k < decoded; ++k) {
        char c = *source++;
        if (c == '\\') {
            c = *source++;
            // "\0" cuts the value there, since every consumer reads up to the first NUL.
            if (c == 'n' || c == 'N') c = '\n';
            else if (c == '0') c = '\0';
        }
        target[k] = c;
    }
    target[decoded] = '\0';
    out->length = decoded;
}

}  // namespace

char ScriptReader::ReadChar() {
    if (AtEnd()) ScriptError(kUnexpectedEndOfFile);
    return sourceText[position++];
}

char ScriptReader::PeekChar() {
    if (AtEnd()) ScriptError(kUnexpectedEndOfFile);
    return sourceText[position];
}

void ScriptReader::SkipBlanksAndComments() {
    // Every token is read behind this, so it works on a local cursor over the bytes.
    const char* text = sourceText.data();
    int p = position;
    while (p < sourceLength) {
        const char c = text[p++];
        if (IsBlank(c)) {
            p = BlankRunEnd(text, p, sourceLength);
            continue;
        }
        if (p >= sourceLength) {  // the text's last byte starts a token of its own
            --p;
            break;
        }
        const char next = text[p];
        if (c == '/' && next == '/') {
            // A line comment ends at CR only; the LF of a CR LF is then an ordinary blank.
            while (p < sourceLength && text[p++] != '\r') {
            }
        } else if (c == '/' && next == '*') {
            // Searched from the "*" on, so that "/*/" is already a complete comment.
            position = p;
            SkipPast(kBlockCommentEnd);
            p = position;
        } else {
            --p;
            break;
        }
    }
    position = p;
}

void ScriptReader::SkipPast(const char* s) {
    const int n = static_cast<int>(std::strlen(s));
    for (;;) {
        const bool found =
            n <= sourceLength - position && std::memcmp(&sourceText[position], s, static_cast<size_t>(n)) == 0;
        if (found) {
            position += n;
            return;
        }
        ++position;
        if (position >= sourceLength) ScriptError(kMissing, s);
    }
}

TokenKind ScriptReader::ScanToken(CharBuffer* out, CharBuffer& directiveName) {
    SkipBlanks();
    // At the end the last token read stays the place of whatever error the end causes.
    if (AtEnd()) return TokenKind::End;
    tokenStart = position;

    const char c = sourceText[position];
    if (c == '"') {
        ++position;
        ReadStringLiteral(*this, out);
        return TokenKind::StringLit;
    }
    if (IsDigit(c)) {
        ReadNumber(out);
        return TokenKind::Number;
    }
    if (IsOperatorChar(c)) {
        ReadOperator(*this, out);
        return TokenKind::Operator;
    }
    if (IsNameStart(c)) {
        ReadName(out);
        return KindOfNameRead();
    }
    if (c == '#') {
        ++position;
        SkipBlanks();
        ReadName(&directiveName);
        return TokenKind::Directive;
    }
    ScriptError(kInvalidCharacter, c, Signed(c));
}

TokenKind ScriptReader::SkimToken(CharBuffer& room) {
    SkipBlanks();
    const char c = AtEnd() ? '\0' : sourceText[position];
    const bool name = IsNameStart(c);
    if (!name && !IsOperatorChar(c)) return ScanToken(&room, room);
    tokenStart = position;
    if (name) {
        ReadName(nullptr);
    } else if (++position < sourceLength && FormsPair(c, sourceText[position])) {
        ++position;
    }
    // The room grows exactly where a copy would have made it grow, so that memory is charged
    // at the same token as when the skipped text is read.
    const int n = position - tokenStart;
    if (n >= room.Capacity()) static_cast<void>(room.Overwrite(n));
    return name ? KindOfNameRead() : TokenKind::Operator;
}

// The bytes NothingToPrecompile passes without a second look: blanks, name characters and
// operators other than "/". Not the NUL behind the text, which ends the run of them.
constexpr auto kPlainBytes = [] {
    std::array<bool, 256> table{};
    for (int c = 1; c < 256; ++c) {
        const char byte = static_cast<char>(c);
        table[static_cast<std::size_t>(c)] =
            (IsBlank(byte) || kNameChars[static_cast<std::size_t>(c)] || kOperatorChars[static_cast<std::size_t>(c)]) &&
            byte != '/';
    }
    return table;
}();

bool ScriptReader::NothingToPrecompile() const {
    const char* text = sourceText.data();
    const int n = sourceLength;
    int p = 0;
    for (;;) {
        // The text holds no NUL and ends in one, which stops this. Four bytes a turn: this
        // loop reads nearly every byte of the text, and a byte is read only once the one
        // before it was plain, so never past the NUL.
        const auto plain = [&](int at) { return kPlainBytes[static_cast<unsigned char>(text[at])]; };
        for (;;) {
            if (!plain(p)) break;
            if (!plain(p + 1)) {
                p += 1;
                break;
            }
            if (!plain(p + 2)) {
                p += 2;
                break;
            }
            if (!plain(p + 3)) {
                p += 3;
                break;
            }
            p += 4;
        }
        if (p >= n) break;
        const char c = text[p];
        if (c == '"') {
            for (++p;;) {
                if (p >= n) return false;
                const char d = text[p++];
                if (d == '"') break;
                if (d == '\\' && p++ >= n) return false;
            }
        } else if (c == '/' && p + 1 < n && text[p + 1] == '/') {
            // A line comment ends behind its CR, or with the text.
            const void* cr = std::memchr(text + p + 2, '\r', static_cast<std::size_t>(n - p - 2));
            p = cr != nullptr ? static_cast<int>(static_cast<const char*>(cr) - text) + 1 : n;
        } else if (c == '/' && p + 1 < n && text[p + 1] == '*') {
            // Searched from the "*" on, as SkipPast searches it.
            const std::string_view rest(text + p + 1, static_cast<std::size_t>(n - p - 1));
            const std::size_t end = rest.find(kBlockCommentEnd);
            if (end == std::string_view::npos) return false;
            p += 1 + static_cast<int>(end) + 2;
        } else if (c == '/') {
            ++p;
        } else {
            return false;  // a directive, or a character the scanner refuses
        }
    }
    // A name or a number that the end cuts off is refused; the usual last byte is safe.
    if (n == 0) return true;
    const char last = text[n - 1];
    return IsBlank(last) || last == ';' || last == '}' || last == ')' || last == ']' || last == ',' || last == '"' ||
           last == '/';
}

bool ScriptReader::SeekDirective(CharBuffer& scratch) {
    // Names and operators make up nearly all of a script: they are passed here in place, with
    // the cursor and the token start where ScanToken would leave them should an error follow.
    // Everything rarer is read by ScanToken itself.
    const char* text = sourceText.data();
    for (;;) {
        SkipBlanks();
        if (position >= sourceLength) return false;
        const char c = text[position];
        if (IsNameStart(c)) {
            tokenStart = position;
            ReadName(nullptr);
        } else if (IsOperatorChar(c)) {
            tokenStart = position++;
            if (position < sourceLength && FormsPair(c, text[position])) ++position;
        } else if (c == '#') {
            return true;
        } else {
            static_cast<void>(ScanToken(nullptr, scratch));
        }
    }
}

void ScriptReader::ReadNumber(CharBuffer* out) {
    // The form is not checked here: "1.2.3" and "1e" reach the literal conversion as written.
    const int first = position;
    bool exponent = false;
    for (;;) {
        const char c = PeekChar();
        if (IsDigit(c) || c == '.') {
            ++position;
        } else if ((c == 'e' || c == 'E') && !exponent) {
            exponent = true;
            ++position;
            const char sign = PeekChar();
            if (sign == '-' || sign == '+') ++position;
        } else {
            break;
        }
    }
    Deliver(out, &sourceText[first], position - first, ReadableFrom(sourceText, first));
}

void ScriptReader::ReadName(CharBuffer* out) {
    const int first = position;
    const char* text = sourceText.data();
    int p = position;
    // The text holds no NUL and ends in one, which stops the name.
    while (IsNameChar(text[p])) ++p;
    position = p;
    // A name never ends the text: the character after it is always looked at.
    if (p >= sourceLength) ScriptError(kUnexpectedEndOfFile);
    Deliver(out, &sourceText[first], position - first, ReadableFrom(sourceText, first));
}

// Each switch searches its whole block for its labels, so switches nested in each other
// searched the innermost text once per level. A nested block passed over once is therefore
// remembered with what it does to the bracket counts, and stepped over whole the next time,
// as long as the counts it starts with keep it from raising an error inside.
std::optional<TokenKind> ScriptReader::FindBlockLabel(CharBuffer& out) {
    /// A nested block entered in this call: the counts at its "{" and the lowest inside.
    struct Opened {
        int at;
        int parens;
        int squares;
        int lowParens;
        int lowSquares;
    };
    std::vector<Opened> opened;
    int parens = 0;
    int squares = 0;
    int curlies = 1;  // called just inside the block's "{"
    while (!AtEnd()) {
        budget.Poll();
        const TokenKind kind = ReadToken(out);
        if (kind == TokenKind::Operator && out.length == 1) {
            switch (out.text[0]) {
            case '(':
                ++parens;
                break;
            case '[':
                ++squares;
                break;
            case '{': {
                const auto known = blockSpans.find(tokenStart);
                if (known != blockSpans.end() && parens + known->second.lowParens >= 0 &&
                    squares + known->second.lowSquares >= 0) {
                    const BlockSpan& span = known->second;
                    if (!opened.empty()) {
                        opened.back().lowParens = std::min(opened.back().lowParens, parens + span.lowParens);
                        opened.back().lowSquares = std::min(opened.back().lowSquares, squares + span.lowSquares);
                    }
                    parens += span.parens;
                    squares += span.squares;
                    position = span.end;
                    tokenStart = span.closeStart;
                    break;
                }
                ++curlies;
                opened.push_back({tokenStart, parens, squares, parens, squares});
                break;
            }
            case ')':
                --parens;
                if (!opened.empty()) opened.back().lowParens = std::min(opened.back().lowParens, parens);
                break;
            case ']':
                --squares;
                if (!opened.empty()) opened.back().lowSquares = std::min(opened.back().lowSquares, squares);
                break;
            case '}':
                --curlies;
                if (curlies >= 1 && !opened.empty()) {
                    const Opened block = opened.back();
                    opened.pop_back();
                    blockSpans[block.at] = {position,
                                            tokenStart,
                                            parens - block.parens,
                                            squares - block.squares,
                                            block.lowParens - block.parens,
                                            block.lowSquares - block.squares};
                    if (!opened.empty()) {
                        opened.back().lowParens = std::min(opened.back().lowParens, block.lowParens);
                        opened.back().lowSquares = std::min(opened.back().lowSquares, block.lowSquares);
                    }
                }
                break;
            default:
                break;
            }
            if (parens < 0) ScriptError(kInvalidParenBlock);
            if (squares < 0) ScriptError(kInvalidSquareBlock);
            if (curlies == 0) {
                if (parens != 0) ScriptError(kInvalidParenBlock);
                if (squares != 0) ScriptError(kInvalidSquareBlock);
                return std::nullopt;
            }
        } else if ((kind == TokenKind::CallName || kind == TokenKind::IndexName || kind == TokenKind::Name) &&
                   parens == 0 && squares == 0 && curlies == 1) {
            return kind;
        }
    }
    return TokenKind::End;
}
