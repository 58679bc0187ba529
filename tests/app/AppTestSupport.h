#pragma once
#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <functional>
#include <sys/resource.h>

#include "CMainFrame.h"
#include "CResultDlg.h"
#include "CTarvelApp.h"
#include "CTarvelView.h"

/// Longer than any validation or copy in the tests takes, short of a test's own time-out.
constexpr int kGenerousMs = 60000;

/// Acts on the next modal dialog from inside its exec(), so that no test waits for a user.
/// It checks on every pass of the event loop that exec() runs; no delay is involved.
class ModalCloser : public QObject {
public:
    explicit ModalCloser(std::function<void(QWidget*)> act) : act(std::move(act)) {
        connect(&timer, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || seen) return;
            seen = true;
            timer.stop();
            this->act(modal);
        });
        timer.start(0);
    }
    /// True once a dialog was acted on.
    bool Seen() const { return seen; }

private:
    std::function<void(QWidget*)> act;
    QTimer timer;
    bool seen = false;
};

/// Reads the result dialog as it opens and leaves it by OK. A progress dialog before it is let
/// be; any other dialog is dismissed, so that a failing test cannot hang.
class ResultReader : public QObject {
public:
    /// With a view, notes whether its text was still coming in when the result showed.
    explicit ResultReader(const CTarvelView* view = nullptr) : view(view) {
        connect(&timer, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || shown || qobject_cast<QProgressDialog*>(modal)) return;
            auto* dialog = qobject_cast<CResultDlg*>(modal);
            if (!dialog) {
                QTest::keyClick(modal, Qt::Key_Escape);
                return;
            }
            shown = true;
            message = dialog->findChild<QPlainTextEdit*>(QStringLiteral("messageEdit"))->toPlainText();
            variables = Items(dialog, QStringLiteral("variableList"));
            functions = Items(dialog, QStringLiteral("functionList"));
            loading = this->view && this->view->IsLoading();
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
        });
        // Not every pass of the event loop: the engine's thread needs the processor meanwhile.
        timer.start(5);
    }

    bool shown = false;
    QString message;
    QStringList variables;
    QStringList functions;
    bool loading = false;

private:
    static QStringList Items(QWidget* dialog, const QString& name) {
        QStringList items;
        auto* list = dialog->findChild<QListWidget*>(name);
        for (int row = 0; row < list->count(); ++row) items << list->item(row)->text();
        return items;
    }

    const CTarvelView* view;
    QTimer timer;
};

/// Lowers the largest file this process may write while it lives, so that a save fails in the
/// middle of writing as on a full disk (EFBIG, not the end of the process), whatever the rights
/// of the user running the tests.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved;
        lowered.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }

private:
    rlimit saved{};
    void (*previousHandler)(int) = nullptr;
};

/// The bytes of the file; empty when it cannot be read.
inline QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// Writes the bytes as the whole file; false when that failed.
inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

/// The application every test runs in.
inline CTarvelApp* App() { return static_cast<CTarvelApp*>(qApp); }

/// Runs a QtTest class inside the real application, its settings in a fresh directory so
/// that no run sees or changes the user's recent files or an earlier run's.
template <typename TestClass>
int RunAppTest(int argc, char** argv) {
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    // Recovery copies too stay out of the user's own data folder.
    qputenv("XDG_DATA_HOME", settingsDir.filePath("data").toLocal8Bit());
    int appArgc = 1;  // the test's own options are not file names
    CTarvelApp app(appArgc, argv);
    if (!app.InitInstance()) return 1;
    TestClass test;
    return QTest::qExec(&test, argc, argv);
}
