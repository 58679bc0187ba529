#pragma once
#include <QObject>
#include <QString>

class CResultDlg;
class QMessageBox;

/// Drives the result dialog of a real run without a user, for the screenshot script and
/// the end-to-end tests. Installed only when the environment asks for it:
/// TARVEL_SNAPSHOT_DIR saves main-window.png and result-dialog.png there, and
/// TARVEL_RESULT_ACTION then leaves the dialog by "ok", "quit", "escape" or "close" (a comma
/// list gives one for each dialog in turn, the last one for any further dialogs),
/// TARVEL_KEYS_AFTER_OK types keys into the editor after the first OK or a restore ("X" types
/// X; "ctrl+s" and "f5" press their keys), TARVEL_SCRIPT_ERROR_ANSWER answers the "Script
/// Error" question of a load with "yes" or "no", and TARVEL_RECOVERY_ANSWER the offer to
/// restore a recovery copy.
class ResultDlgHook : public QObject {
    Q_OBJECT

public:
    /// Watches every window of application when any of the variables but the keys is set.
    static void InstallFromEnvironment(QObject* application);

    /// Acts on each result dialog as it appears.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ResultDlgHook(QObject* parent, const QString& snapshotDir, const QString& actions, const QString& keys,
                  const QString& loadAnswer, const QString& recoveryAnswer);
    /// Saves the pictures, then leaves the dialog as asked.
    void Drive(CResultDlg* dialog);
    /// Answers the load-error question as asked.
    void Answer(QMessageBox* question);
    /// Answers the offer to restore a recovery copy, then types the keys after a restore.
    void AnswerRecovery(QMessageBox* question);
    /// Presses the keys one after the other, as a user at the keyboard would.
    void Type(const QStringList& keys);

    QString snapshotDir;
    QStringList actions;
    int dialogsSeen = 0;
    QStringList keysAfterOk;
    QString loadAnswer;
    QString recoveryAnswer;
};
