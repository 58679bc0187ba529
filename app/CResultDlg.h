#pragma once
#include <QDialog>
#include <QString>

#include <QStringList>

class QListWidget;
class QPlainTextEdit;
class QPushButton;

/// "External dependencies": the outcome of one validation and the names the script uses
/// without declaring them. OK returns to the editor; every other way out means quit.
class CResultDlg : public QDialog {
    Q_OBJECT

public:
    /// The dialog over parent, message empty, no name sets yet.
    explicit CResultDlg(QWidget* parent);

    /// The text of the error-message box.
    void SetMessage(const QString& text);
    /// The names of the two lists, in the order they are shown.
    void SetNames(const QStringList& variables, const QStringList& functions);
    /// Fills the controls and runs the dialog; Accepted only for OK.
    int DoModal();

private:
    /// Puts the message into its box and the names into the two lists.
    void OnInitDialog();
    QStringList externalVariables;
    QStringList externalFunctions;
    QString message;

    QListWidget* variableList;
    QListWidget* functionList;
    QPlainTextEdit* messageEdit;
    QPushButton* okButton;
    QPushButton* quitButton;
};
