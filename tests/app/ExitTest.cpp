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
        QTemporaryDir dir;
        const QString script = dir.filePath("script.c");
        QVERIFY(WriteFile(script, "x = y;\r\n"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_CONFIG_HOME", dir.path());
        environment.insert("TARVEL_RESULT_ACTION", action);
        QProcess tarvel;
        tarvel.setProcessEnvironment(environment);
        tarvel.setWorkingDirectory(dir.path());
        tarvel.start(TARVEL_BINARY, {script});
        // Only a guard against a dialog that never closes; the program ends at once.
        QVERIFY(tarvel.waitForFinished(60000));
        QCOMPARE(tarvel.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tarvel.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(ExitTest)

#include "ExitTest.moc"
