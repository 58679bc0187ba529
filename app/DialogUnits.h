#pragma once
#include <QFont>
#include <QRect>
#include <QSize>

/// Turns the measures of a dialog layout, given in quarters of the font's average character
/// width and eighths of its height, into pixels, so the layout grows with the font.
class DialogUnits {
public:
    /// Units of the given dialog font.
    explicit DialogUnits(const QFont& font);

    /// A rectangle given in dialog units.
    QRect Rect(int x, int y, int width, int height) const;
    /// A size given in dialog units.
    QSize Size(int width, int height) const;

private:
    int baseWidth;   ///< average character width in pixels
    int baseHeight;  ///< character height in pixels
};
