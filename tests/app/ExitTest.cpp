#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "AppTestSupport.h"

// Leaving the result dialog other than by OK ends the program, so these run the real
// program in a child process and drive its dialog through the environment.
class ExitTest : public QObject {
    Q_OBJECT

private slots:
    void leavingTheResultDialogEndsWithStatusZero_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("Quit button") << "quit";
        QTest::newRow("Escape key") << "escape";
        QTest::newRow("close box") << "close";
    }
    void leavingTheResultDialogEndsWithStatusZero() {
        QFETCH(QString, action);
        QCOMPARE(RunTarvel("x = y;\r\n", {{"TARVEL_RESULT_ACTION", action}}), 0);
    }

    // A load error asks whether to go on: No ends the program with status 1, Yes validates
    // and shows the result dialog, which Quit then leaves with 0.
    void answeringTheLoadErrorQuestion_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("status");
        QTest::newRow("No") << "no" << 1;
        QTest::newRow("Yes, then Quit") << "yes" << 0;
    }
    void answeringTheLoadErrorQuestion() {
        QFETCH(QString, answer);
        QFETCH(int, status);
        const int exitCode = RunTarvel("x = 1;\r\n#define X\r\n",
                                       {{"TARVEL_SCRIPT_ERROR_ANSWER", answer}, {"TARVEL_RESULT_ACTION", "quit"}});
        QCOMPARE(exitCode, status);
    }

    // Quit ends the program without asking, so the unsaved edit goes to the recovery copy
    // first, where the next start offers it.
    void aForcedExitLeavesARecoveryCopy() {
        QTemporaryDir dir;
        const int exitCode =
            RunTarvel("x = y;\r\n", {{"TARVEL_RESULT_ACTION", "ok,quit"}, {"TARVEL_KEYS_AFTER_OK", "Q,f5"}}, &dir);
        QCOMPARE(exitCode, 0);
        QDirIterator found(dir.path(), {"recovery.c"}, QDir::Files, QDirIterator::Subdirectories);
        QVERIFY(found.hasNext());
        const QByteArray bytes = FileBytes(found.next());
        QVERIFY2(bytes.endsWith("\nQx = y;\n"), bytes.constData());
        QVERIFY(bytes.contains("script.c"));
        // The file itself is untouched.
        QCOMPARE(FileBytes(dir.filePath("script.c")), "x = y;\r\n");
    }

private:
    /// Runs the real program on a script with the given hook variables; its exit code.
    static int RunTarvel(const QByteArray& text, const QList<QPair<QString, QString>>& hooks,
                         QTemporaryDir* keep = nullptr) {
        QTemporaryDir scratch;
        QTemporaryDir& dir = keep ? *keep : scratch;
        const QString script = dir.filePath("script.c");
        if (!WriteFile(script, text)) return -1;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_CONFIG_HOME", dir.path());
        environment.insert("XDG_DATA_HOME", dir.filePath("data"));
        for (const auto& [name, value] : hooks) environment.insert(name, value);
        QProcess tarvel;
        tarvel.setProcessEnvironment(environment);
        tarvel.setWorkingDirectory(dir.path());
        tarvel.start(TARVEL_BINARY, {script});
        // Only a guard against a dialog that never closes; the program ends at once.
        if (!tarvel.waitForFinished(60000) || tarvel.exitStatus() != QProcess::NormalExit) return -1;
        return tarvel.exitCode();
    }
};

QTEST_GUILESS_MAIN(ExitTest)

#include "ExitTest.moc"
