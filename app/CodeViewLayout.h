#pragma once
#include <QPlainTextDocumentLayout>

/// The code view's text layout. A block edited on its own is laid out here rather than by the
/// plain-text layout, which, whenever the widest block it knows becomes narrower (a line being
/// typed wraps, a character goes from the widest line), looks for the next widest through every
/// block of the document and gives each a layout object on the way: a pause of most of a second
/// and some 130 MiB for a script of 400,000 lines.
class CodeViewLayout : public QPlainTextDocumentLayout {
    Q_OBJECT

public:
    /// The layout of document, which takes it over.
    explicit CodeViewLayout(QTextDocument* document);

    /// As wide as the widest block the plain-text layout knows or this layout laid out.
    QSizeF documentSize() const override;

protected:
    /// Lays out a block edited on its own that was laid out already; hands anything else on.
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    /// Lays out block's lines in width as the plain-text layout does.
    void LayoutBlock(const QTextBlock& block, qreal width);

    /// The widest line this layout laid out, margins included; never narrower, since the
    /// widest the plain-text layout knows is not either until a search through every block.
    qreal widest = 0;
    /// The blocks the plain-text layout was last told of; -1 until it was told of any.
    int knownBlockCount = -1;
};
