#include "LineNumberArea.h"

#include <QHelpEvent>
#include <QToolTip>

#include "CTarvelView.h"

LineNumberArea::LineNumberArea(CTarvelView* view) : QWidget(view), view(view) {
    setObjectName(QStringLiteral("lineNumberArea"));
}

QSize LineNumberArea::sizeHint() const { return {view->LineNumberAreaWidth(), 0}; }

void LineNumberArea::paintEvent(QPaintEvent* event) { view->LineNumberAreaPaintEvent(event); }

bool LineNumberArea::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = view->ErrorTipAt(help->pos().y());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, this);
        }
        return true;
    }
    return QWidget::event(event);
}
