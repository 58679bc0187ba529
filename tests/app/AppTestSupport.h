#pragma once
#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "CMainFrame.h"
#include "CTarvelApp.h"

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
