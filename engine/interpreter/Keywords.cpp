// The reserved words of the language and their codes.
#include "reader/NameChars.h"
#include "reader/ScriptReader.h"

namespace {

/// True when the name at word spells keyword exactly. It stops at the first difference, so
/// it never reads past the end of a name shorter than the keyword.
bool Spells(const char* word, const char* keyword) {
    for (; *keyword != '\0'; ++word, ++keyword) {
        if (*word != *keyword) return false;
    }
    return !IsNameChar(*word);
}

}  // namespace

Keyword ScriptReader::ClassifyKeyword(const char* word) {
    // Every name of the script passes through here: the first two letters leave at most one
    // keyword to compare in full, and most names are told apart at the first letter.
    switch (word[0]) {
    case 'b':
        return Spells(word, "break") ? Keyword::Break : Keyword::None;
    case 'c':
        if (word[1] == 'a') return Spells(word, "case") ? Keyword::Case : Keyword::None;
        return Spells(word, "continue") ? Keyword::Continue : Keyword::None;
    case 'd':
        if (word[1] == 'o') return Spells(word, "do") ? Keyword::Do : Keyword::None;
        return Spells(word, "default") ? Keyword::Default : Keyword::None;
    case 'e':
        if (word[1] == 'l') return Spells(word, "else") ? Keyword::Else : Keyword::None;
        return Spells(word, "exit") ? Keyword::Exit : Keyword::None;
    case 'f':
        if (word[1] == 'o') return Spells(word, "for") ? Keyword::For : Keyword::None;
        return Spells(word, "float") ? Keyword::Float : Keyword::None;
    case 'i':
        if (word[1] == 'f') return Spells(word, "if") ? Keyword::If : Keyword::None;
        return Spells(word, "int") ? Keyword::Int : Keyword::None;
    case 'r':
        return Spells(word, "return") ? Keyword::Return : Keyword::None;
    case 's':
        if (word[1] == 'w') return Spells(word, "switch") ? Keyword::Switch : Keyword::None;
        return Spells(word, "string") ? Keyword::String : Keyword::None;
    case 'v':
        return Spells(word, "void") ? Keyword::Void : Keyword::None;
    case 'w':
        return Spells(word, "while") ? Keyword::While : Keyword::None;
    default:
        return Keyword::None;
    }
}
