#include "CodeViewLayout.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

CodeViewLayout::CodeViewLayout(QTextDocument* document) : QPlainTextDocumentLayout(document) {}

QSizeF CodeViewLayout::documentSize() const {
    QSizeF size = QPlainTextDocumentLayout::documentSize();
    size.setWidth(std::max(size.width(), widest));
    return size;
}

void CodeViewLayout::documentChanged(int from, int charsRemoved, int charsAdded) {
    QTextDocument* text = document();
    const int blockCount = text->blockCount();
    const QTextBlock block = text->findBlock(from);
    // An edit within one block that keeps the block count, as the plain-text layout tells it.
    const bool withinBlock = blockCount == knownBlockCount && block.isValid() && block.length() > 0 &&
                             text->findBlock(std::max(0, from + charsRemoved + charsAdded - 1)) == block;
    // Only a block laid out before tells the width its lines are laid out in, and a separator
    // drawn at the end of each line takes room the plain-text layout reckons with on its own.
    const bool handled = withinBlock && block.layout()->lineCount() > 0 &&
                         !(text->defaultTextOption().flags() & QTextOption::AddSpaceForLineAndParagraphSeparators);
    if (!handled) {
        QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
        knownBlockCount = blockCount;
        return;
    }
    const qreal oldHeight = blockBoundingRect(block).height();
    const int oldLineCount = text->lineCount();
    const qreal oldWidest = widest;
    LayoutBlock(block, block.layout()->lineAt(0).width());
    if (text->lineCount() != oldLineCount || widest != oldWidest) emit documentSizeChanged(documentSize());
    if (blockBoundingRect(block).height() == oldHeight) {
        emit updateBlock(block);
    } else {
        // The blocks below moved: everything from here down is painted anew.
        emit update(QRectF(0., -text->documentMargin(), 1000000000., 1000000000.));
    }
}

void CodeViewLayout::LayoutBlock(const QTextBlock& block, qreal width) {
    const qreal margin = document()->documentMargin();
    QTextLayout* layout = block.layout();
    layout->setTextOption(document()->defaultTextOption());
    layout->beginLayout();
    qreal height = 0;
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(width);
        line.setPosition(QPointF(margin, height));
        height += line.height();
        if (line.leading() < 0) height += std::ceil(line.leading());
        widest = std::max(widest, line.naturalTextWidth() + 2 * margin);
    }
    layout->endLayout();
    QTextBlock laidOut = block;
    laidOut.setLineCount(block.isVisible() ? layout->lineCount() : 0);
}
