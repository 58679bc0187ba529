#include "CommandPrompt.h"

#include <QAction>
#include <QString>

void SetPrompt(QAction* action, const QString& prompt) {
    const qsizetype split = prompt.indexOf(u'\n');
    action->setStatusTip(split < 0 ? prompt : prompt.left(split));
    action->setToolTip(split < 0 ? prompt : prompt.mid(split + 1));
}
