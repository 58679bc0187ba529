#include "ResultDlgHook.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <utility>
#include <QDir>
#include <QEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "CResultDlg.h"
#include "reader/ReaderMessages.h"

void ResultDlgHook::InstallFromEnvironment(QObject* application) {
    const QString snapshotDir = qEnvironmentVariable("TARVEL_SNAPSHOT_DIR");
    const QString actions = qEnvironmentVariable("TARVEL_RESULT_ACTION");
    const QString keys = qEnvironmentVariable("TARVEL_KEYS_AFTER_OK");
    const QString loadAnswer = qEnvironmentVariable("TARVEL_SCRIPT_ERROR_ANSWER");
    const QString recoveryAnswer = qEnvironmentVariable("TARVEL_RECOVERY_ANSWER");
    if (snapshotDir.isEmpty() && actions.isEmpty() && loadAnswer.isEmpty() && recoveryAnswer.isEmpty()) return;
    application->installEventFilter(
        new ResultDlgHook(application, snapshotDir, actions, keys, loadAnswer, recoveryAnswer));
}

ResultDlgHook::ResultDlgHook(QObject* parent, const QString& snapshotDir, const QString& actions, const QString& keys,
                             const QString& loadAnswer, const QString& recoveryAnswer)
    : QObject(parent),
      snapshotDir(snapshotDir),
      actions(actions.split(u',', Qt::SkipEmptyParts)),
      keysAfterOk(keys.split(u',', Qt::SkipEmptyParts)),
      loadAnswer(loadAnswer),
      recoveryAnswer(recoveryAnswer) {}

bool ResultDlgHook::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        if (auto* dialog = qobject_cast<CResultDlg*>(watched)) {
            // Once the dialog's own event loop runs, so that it is laid out and painted.
            QPointer<CResultDlg> guarded(dialog);
            QTimer::singleShot(0, this, [this, guarded] {
                if (guarded) Drive(guarded);
            });
        } else if (auto* question = qobject_cast<QMessageBox*>(watched);
                   question && !loadAnswer.isEmpty() &&
                   question->windowTitle() == QLatin1StringView(ReaderMessages::kScriptErrorTitle)) {
            QPointer<QMessageBox> guarded(question);
            QTimer::singleShot(0, this, [this, guarded] {
                if (guarded) Answer(guarded);
            });
        } else if (auto* offer = qobject_cast<QMessageBox*>(watched);
                   offer && !recoveryAnswer.isEmpty() && offer->objectName() == u"recoveryQuestion") {
            QPointer<QMessageBox> guarded(offer);
            QTimer::singleShot(0, this, [this, guarded] {
                if (guarded) AnswerRecovery(guarded);
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
    const QString action = actions.isEmpty() ? QString() : actions.value(dialogsSeen, actions.constLast());
    ++dialogsSeen;
    if (action == u"ok") {
        dialog->accept();
        // Once the Validate command has finished with the dialog and put the caret in place.
        const QStringList keys = std::exchange(keysAfterOk, {});
        if (!keys.isEmpty()) QTimer::singleShot(0, this, [this, keys] { Type(keys); });
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

void ResultDlgHook::AnswerRecovery(QMessageBox* question) {
    const bool restore = recoveryAnswer == u"yes";
    if (QAbstractButton* choice = question->button(restore ? QMessageBox::Yes : QMessageBox::No)) choice->click();
    // Once the restored text is in the editor.
    const QStringList keys = restore ? std::exchange(keysAfterOk, {}) : QStringList();
    if (!keys.isEmpty()) QTimer::singleShot(0, this, [this, keys] { Type(keys); });
}

void ResultDlgHook::Type(const QStringList& keys) {
    for (const QString& key : keys) {
        const QKeySequence sequence(key, QKeySequence::PortableText);
        // A command key reaches its menu command as the window's shortcut would take it.
        bool handled = false;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            for (QAction* command : window->findChildren<QAction*>()) {
                if (!handled && key.size() > 1 && command->isEnabled() && command->shortcuts().contains(sequence)) {
                    command->trigger();
                    handled = true;
                }
            }
        }
        if (handled) continue;
        QWidget* target = QApplication::focusWidget();
        if (!target) {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (auto* main = qobject_cast<QMainWindow*>(window)) target = main->centralWidget();
            }
        }
        if (!target) return;
        QKeyEvent press(QEvent::KeyPress, sequence[0].key(), sequence[0].keyboardModifiers(),
                        key.size() == 1 ? key : QString());
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, sequence[0].key(), sequence[0].keyboardModifiers(),
                          key.size() == 1 ? key : QString());
        QApplication::sendEvent(target, &release);
    }
}
