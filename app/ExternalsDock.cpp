#include "ExternalsDock.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "reader/ReaderMessages.h"

namespace {

constexpr int kLineRole = Qt::UserRole;
constexpr int kColumnRole = Qt::UserRole + 1;

void Fill(QListWidget* list, const std::vector<ExternalName>& names) {
    list->clear();
    for (const ExternalName& name : names) {
        // Names hold only the characters 32 to 127, so Latin-1 reads them exactly.
        auto* item = new QListWidgetItem(QString::fromLatin1(name.name.data(), static_cast<qsizetype>(name.name.size())), list);
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
