#include "ExternalsDock.h"

#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include "reader/ReaderMessages.h"

namespace {

constexpr int kLineRole = Qt::UserRole;
constexpr int kColumnRole = Qt::UserRole + 1;
// The widest the dock starts out, in average characters; longer names scroll or can be read
// after widening the dock by hand.
constexpr int kMaximumColumns = 40;

void Fill(QListWidget* list, const std::vector<ExternalName>& names) {
    list->clear();
    for (const ExternalName& name : names) {
        // Names hold only the characters 32 to 127, so Latin-1 reads them exactly.
        auto* item =
            new QListWidgetItem(QString::fromLatin1(name.name.data(), static_cast<qsizetype>(name.name.size())), list);
        item->setData(kLineRole, name.line);
        item->setData(kColumnRole, name.column);
        item->setToolTip(QListWidget::tr("First used on line %1").arg(name.line));
    }
}

}  // namespace

ExternalsDock::ExternalsDock(QWidget* parent) : QDockWidget(tr("External dependencies"), parent) {
    setObjectName(QStringLiteral("externalsDock"));
    auto* contents = new QWidget(this);
    auto* layout = new QVBoxLayout(contents);
    layout->setContentsMargins(4, 4, 4, 4);
    setWidget(contents);
    variableList = AddList(tr(ReaderMessages::kExternalVariablesUsed), QStringLiteral("liveVariableList"));
    functionList = AddList(tr(ReaderMessages::kExternalFunctionsUsed), QStringLiteral("liveFunctionList"));
}

QListWidget* ExternalsDock::AddList(const QString& label, const QString& name) {
    auto* list = new QListWidget(widget());
    list->setObjectName(name);
    widget()->layout()->addWidget(new QLabel(label, widget()));
    widget()->layout()->addWidget(list);
    connect(list, &QListWidget::itemActivated, this, &ExternalsDock::OnActivated);
    return list;
}

void ExternalsDock::SetNames(const ValidationResult& result) {
    Fill(variableList, result.externalVariables);
    Fill(functionList, result.externalFunctions);
}

void ExternalsDock::OnActivated(QListWidgetItem* item) {
    emit GoToRequested(item->data(kLineRole).toInt(), item->data(kColumnRole).toInt());
}

QSize ExternalsDock::sizeHint() const {
    QSize hint = QDockWidget::sizeHint();
    // The title shares its bar with the float and close buttons.
    const int button = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this) +
                       2 * style()->pixelMetric(QStyle::PM_DockWidgetTitleBarButtonMargin, nullptr, this);
    int natural = fontMetrics().horizontalAdvance(windowTitle()) + 2 * button +
                  2 * style()->pixelMetric(QStyle::PM_DockWidgetTitleMargin, nullptr, this);
    for (const QLabel* label : widget()->findChildren<QLabel*>()) {
        natural = std::max(natural, label->sizeHint().width());
    }
    for (const QListWidget* list : {variableList, functionList}) {
        const int scrollBar = list->verticalScrollBar()->sizeHint().width();
        natural = std::max(natural, list->sizeHintForColumn(0) + 2 * list->frameWidth() + scrollBar);
    }
    const QMargins margins = widget()->layout()->contentsMargins();
    natural += margins.left() + margins.right();
    hint.setWidth(std::min(natural, fontMetrics().averageCharWidth() * kMaximumColumns));
    return hint;
}
