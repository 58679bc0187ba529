// A crash keeps the last periodic recovery copy whole, and the next start offers it without
// writing it over the file. The real program runs in a child process, a signal ends it.
#include <QDeadlineTimer>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>

#include "AppTestSupport.h"

namespace {

// 4 MiB of comment lines below the first: long enough to take a copy written in place in
// the middle of its writing.
const QByteArray kComment = "// " + QByteArray(61, 'c');
const QByteArray kScript = "x = y;\r\n" + (kComment + "\r\n").repeated(1 << 16);
const QByteArray kEdited = "Qx = y;\n" + (kComment + "\n").repeated(1 << 16);

// The file's identity, size and time of its last change; all zero while there is none.
struct stat StatOf(const QString& path) {
    struct stat result {};
    return ::stat(path.toLocal8Bit().constData(), &result) == 0 ? result : (result = {});
}

bool Same(const struct stat& a, const struct stat& b) {
    return a.st_ino == b.st_ino && a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
           a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

}  // namespace

class CrashTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QString script;

    // Starts the real program on the script with the given hook variables.
    void Start(QProcess& tarvel, const QList<QPair<QString, QString>>& hooks) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_CONFIG_HOME", dir->path());
        environment.insert("XDG_DATA_HOME", dir->filePath("data"));
        for (const auto& [name, value] : hooks) environment.insert(name, value);
        tarvel.setProcessEnvironment(environment);
        tarvel.setWorkingDirectory(dir->path());
        // The crash is the point here, not its core file.
        tarvel.setChildProcessModifier([] {
            const rlimit none{0, 0};
            ::setrlimit(RLIMIT_CORE, &none);
        });
        tarvel.start(TARVEL_BINARY, {script});
    }

    // The recovery copy's file, or an empty string while there is none.
    QString CopyPath() const {
        QDirIterator found(dir->filePath("data"), {"recovery.c"}, QDir::Files, QDirIterator::Subdirectories);
        return found.hasNext() ? found.next() : QString();
    }

    // Whether the recovery copy is whole and holds text for the script.
    bool CopyHolds(const QByteArray& text) const {
        const QString path = CopyPath();
        const QByteArray bytes = path.isEmpty() ? QByteArray() : FileBytes(path);
        return bytes.startsWith("Tarvel recovery 1\n") && bytes.contains("script.c\n") && bytes.endsWith("\n" + text);
    }

private slots:
    // Each case starts with no copy: one left behind would be offered with nobody to answer.
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        script = dir->filePath("script.c");
        QVERIFY(WriteFile(script, kScript));
    }

    void aCrashLeavesTheLastCopyWholeForTheNextStart_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGSEGV") << SIGSEGV;
        QTest::newRow("SIGABRT") << SIGABRT;
    }
    void aCrashLeavesTheLastCopyWholeForTheNextStart() {
        QFETCH(int, signal);
        QProcess tarvel;
        Start(tarvel,
              {{"TARVEL_RESULT_ACTION", "ok"}, {"TARVEL_KEYS_AFTER_OK", "Q"}, {"TARVEL_RECOVERY_INTERVAL_MS", "100"}});
        QTRY_VERIFY_WITH_TIMEOUT(CopyHolds(kEdited), kGenerousMs);

        // Each copy that lands is whole at once, as it is written aside and renamed into place;
        // one written in place would be seen cut short while it goes in. The signal follows a
        // few of them, to land as the next one is going in.
        const QString copy = CopyPath();
        struct stat landed = StatOf(copy);
        for (int next = 0; next < 5; ++next) {
            const struct stat before = landed;
            for (QDeadlineTimer deadline(kGenerousMs); Same(landed = StatOf(copy), before);) {
                QVERIFY(!deadline.hasExpired());
            }
            QCOMPARE(landed.st_size, before.st_size);
        }
        QCOMPARE(::kill(static_cast<pid_t>(tarvel.processId()), signal), 0);
        QVERIFY(tarvel.waitForFinished(kGenerousMs));
        QCOMPARE(tarvel.exitStatus(), QProcess::CrashExit);
        QVERIFY(CopyHolds(kEdited));

        // Restored, typed into and then ended without asking: the copy holds the editor's text,
        // and the file is as it was.
        QProcess again;
        Start(again,
              {{"TARVEL_RECOVERY_ANSWER", "yes"}, {"TARVEL_KEYS_AFTER_OK", "Z,f5"}, {"TARVEL_RESULT_ACTION", "quit"}});
        QVERIFY(again.waitForFinished(kGenerousMs));
        QVERIFY(again.exitStatus() == QProcess::NormalExit && again.exitCode() == 0);
        QVERIFY(CopyHolds("Z" + kEdited));
        QVERIFY(FileBytes(script) == kScript);
    }
};

QTEST_GUILESS_MAIN(CrashTest)

#include "CrashTest.moc"
