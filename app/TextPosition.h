#pragma once
#include <QString>

#include "DocumentText.h"

/// The engine counts columns in bytes of the text it was given; the editor counts UTF-16
/// code units. Both count from the start of the same line.

/// The index in lineText of the character the 1-based byte column points at, when the line
/// is encoded in encoding; a column past the end gives the line's length, one inside a
/// multi-byte character gives that character.
int ColumnToIndex(const QString& lineText, int byteColumn, TextFormat::Encoding encoding);
/// The 1-based byte column of the character at index in lineText: the inverse of ColumnToIndex.
int IndexToColumn(const QString& lineText, int index, TextFormat::Encoding encoding);
