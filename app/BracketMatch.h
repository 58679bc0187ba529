#pragma once

class QTextDocument;

/// The position of the bracket that pairs with the one at position, or -1 when the
/// character there is no bracket or its partner is missing. Brackets inside strings and
/// comments count as well: a cheap, predictable rule for a glance at the nesting.
int MatchingBracket(const QTextDocument* document, int position);
