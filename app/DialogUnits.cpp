#include "DialogUnits.h"

#include <QFontMetrics>

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average over all letters, rounded, is the conventional character width; the
    // font's own average width is skewed by narrow punctuation.
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseWidth = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
    baseHeight = metrics.height();
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const {
    return {x * baseWidth / 4, y * baseHeight / 8, width * baseWidth / 4, height * baseHeight / 8};
}

QSize DialogUnits::Size(int width, int height) const { return {width * baseWidth / 4, height * baseHeight / 8}; }
