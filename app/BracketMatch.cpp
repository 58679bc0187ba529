#include "BracketMatch.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {

// Looking further would cost time on every caret move in a large file for a pair too far
// apart to see at once anyway.
constexpr int kSearchLimit = 100000;

bool Pair(QChar c, QChar& partner, int& direction) {
    switch (c.unicode()) {
    case u'(':
        partner = u')';
        direction = 1;
        return true;
    case u'[':
        partner = u']';
        direction = 1;
        return true;
    case u'{':
        partner = u'}';
        direction = 1;
        return true;
    case u')':
        partner = u'(';
        direction = -1;
        return true;
    case u']':
        partner = u'[';
        direction = -1;
        return true;
    case u'}':
        partner = u'{';
        direction = -1;
        return true;
    default:
        return false;
    }
}

}  // namespace

int MatchingBracket(const QTextDocument* document, int position) {
    const QChar bracket = document->characterAt(position);
    QChar partner;
    int direction = 0;
    if (!Pair(bracket, partner, direction)) return -1;
    int depth = 0;
    const int last = document->characterCount() - 1;
    for (int k = position, steps = 0; k >= 0 && k <= last && steps < kSearchLimit; k += direction, ++steps) {
        const QChar c = document->characterAt(k);
        if (c == bracket) ++depth;
        else if (c == partner && --depth == 0) return k;
    }
    return -1;
}
