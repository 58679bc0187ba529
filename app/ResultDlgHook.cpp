#include "ResultDlgHook.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "CResultDlg.h"

void ResultDlgHook::InstallFromEnvironment(QObject* application) {
    const QString snapshotDir = qEnvironmentVariable("TARVEL_SNAPSHOT_DIR");
    const QString action = qEnvironmentVariable("TARVEL_RESULT_ACTION");
    const QString loadAnswer = qEnvironmentVariable("TARVEL_SCRIPT_ERROR_ANSWER");
    if (snapshotDir.isEmpty() && action.isEmpty() && loadAnswer.isEmpty()) return;
    application->installEventFilter(new ResultDlgHook(application, snapshotDir, action, loadAnswer));
}

ResultDlgHook::ResultDlgHook(QObject* parent, const QString& snapshotDir, const QString& action,
                             const QString& loadAnswer)
    : QObject(parent), snapshotDir(snapshotDir), action(action), loadAnswer(loadAnswer) {}

bool ResultDlgHook::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        if (auto* dialog = qobject_cast<CResultDlg*>(watched)) {
            // Once the dialog's own event loop runs, so that it is laid out and painted.
            QPointer<CResultDlg> guarded(dialog);
            QTimer::singleShot(0, this, [this, guarded] {
                if (guarded) Drive(guarded);
            });
        } else if (auto* question = qobject_cast<QMessageBox*>(watched);
                   question && !loadAnswer.isEmpty() && question->windowTitle() == u"Script Error") {
            QPointer<QMessageBox> guarded(question);
            QTimer::singleShot(0, this, [this, guarded] {
                if (guarded) Answer(guarded);
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

void ResultDlgHook::Drive(CResultDlg* dialog) {
    if (!snapshotDir.isEmpty()) {
        QDir().mkpath(snapshotDir);
        if (QWidget* mainWindow = dialog->parentWidget()) {
            mainWindow->window()->grab().save(QDir(snapshotDir).filePath(QStringLiteral("main-window.png")));
        }
        dialog->grab().save(QDir(snapshotDir).filePath(QStringLiteral("result-dialog.png")));
    }
    if (action == u"ok") {
        dialog->accept();
    } else if (action == u"quit") {
        dialog->findChild<QPushButton*>(QStringLiteral("quitButton"))->click();
    } else if (action == u"escape") {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(dialog, &press);
    } else if (action == u"close") {
        dialog->close();
    }
}

void ResultDlgHook::Answer(QMessageBox* question) {
    const auto button = loadAnswer == u"yes" ? QMessageBox::Yes : QMessageBox::No;
    if (QAbstractButton* choice = question->button(button)) choice->click();
}
