#include "TextPosition.h"

namespace {

// Bytes of the code point starting at text[k], and the UTF-16 units it takes.
void MeasureCodePoint(const QString& text, qsizetype k, TextFormat::Encoding encoding, int& bytes, int& units) {
    const char16_t unit = text[k].unicode();
    units = 1;
    if (encoding == TextFormat::Encoding::Latin1) {
        bytes = 1;
        return;
    }
    if (QChar::isHighSurrogate(unit) && k + 1 < text.size() && text[k + 1].isLowSurrogate()) {
        bytes = 4;
        units = 2;
    } else if (unit < 0x80) {
        bytes = 1;
    } else if (unit < 0x800) {
        bytes = 2;
    } else {
        // A lone surrogate is written as the replacement character, three bytes as well.
        bytes = 3;
    }
}

}  // namespace

int ColumnToIndex(const QString& lineText, int byteColumn, TextFormat::Encoding encoding) {
    long long remaining = static_cast<long long>(byteColumn) - 1;
    qsizetype k = 0;
    while (k < lineText.size() && remaining > 0) {
        int bytes = 0;
        int units = 0;
        MeasureCodePoint(lineText, k, encoding, bytes, units);
        // A column inside a character's bytes still names that character.
        if (remaining < bytes) break;
        remaining -= bytes;
        k += units;
    }
    return static_cast<int>(k);
}

int IndexToColumn(const QString& lineText, int index, TextFormat::Encoding encoding) {
    int column = 1;
    qsizetype k = 0;
    while (k < lineText.size() && k < index) {
        int bytes = 0;
        int units = 0;
        MeasureCodePoint(lineText, k, encoding, bytes, units);
        column += bytes;
        k += units;
    }
    return column;
}
