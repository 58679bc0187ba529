#pragma once
#include <QDockWidget>

#include "Validation.h"

class QListWidget;
class QListWidgetItem;

/// "External dependencies" beside the editor: the names the last check found, in two lists;
/// double-clicking a name goes to its first use.
class ExternalsDock : public QDockWidget {
    Q_OBJECT

public:
    explicit ExternalsDock(QWidget* parent);

    /// Shows the names of result.
    void SetNames(const ValidationResult& result);

    /// As wide as the labels and the longest name need, but never wider than a short line
    /// of text: the editor beside it is what the window is for.
    QSize sizeHint() const override;

signals:
    /// The user asked for the first use of a name: 1-based line and byte column.
    void GoToRequested(int line, int byteColumn);

private:
    /// One labelled list.
    QListWidget* AddList(const QString& label, const QString& name);
    void OnActivated(QListWidgetItem* item);

    QListWidget* variableList;
    QListWidget* functionList;
};
