// A script that would run for ages never holds the editor: Cancel stops the engine itself,
// nothing of the stopped run is shown, and a newer check ends an older one still running.
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <cstdio>
#include <cstdlib>

#include "AppTestSupport.h"
#include "CResultDlg.h"
#include "CTarvelDoc.h"
#include "CTarvelView.h"
#include "LiveChecker.h"
#include "ValidationService.h"

namespace {

// Still far beyond what stopping takes, and short of the 10 s after which a check while
// typing gives up by itself, so that only a stop can pass.
constexpr int kStoppedMs = 5000;

/// Each function calls the one below twice; at depth 40 that is 2^40 calls, and each counts
/// in a global, so that no call can be answered from an earlier identical one. The first line
/// reads an undeclared name, so a run stopped anywhere has found one.
QByteArray EndlessScript() {
    QByteArray text = "early = 1;\r\nint calls;\r\nint f0(int n) { calls = calls + 1; return n; }\r\n";
    for (int k = 1; k <= 40; ++k) {
        const QByteArray below = "f" + QByteArray::number(k - 1) + "(n)";
        text += "int f" + QByteArray::number(k) + "(int n) { return " + below + " + " + below + "; }\r\n";
    }
    return text + "f40(1);\r\n";
}

/// Presses Cancel in every progress dialog and OK in every result dialog that shows up,
/// counting both.
class DialogDriver : public QObject {
public:
    DialogDriver() {
        connect(&timer, &QTimer::timeout, this, [this] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (!top->isVisible()) continue;
                if (auto* progress = qobject_cast<QProgressDialog*>(top); progress && !progress->wasCanceled()) {
                    ++progressShown;
                    QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
                } else if (auto* result = qobject_cast<CResultDlg*>(top)) {
                    ++resultsShown;
                    QTest::mouseClick(result->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
                }
            }
        });
        timer.start(0);
    }

    int progressShown = 0;
    int resultsShown = 0;

private:
    QTimer timer;
};

/// Ends the test run when a stopped validation would otherwise hold it for good.
class Watchdog : public QObject {
public:
    Watchdog() {
        connect(&timer, &QTimer::timeout, this, [] {
            std::fputs("The validation did not end after Cancel\n", stderr);
            std::abort();
        });
        timer.setSingleShot(true);
        timer.start(kGenerousMs);
    }

private:
    QTimer timer;
};

}  // namespace

class ValidationCancelTest : public QObject {
    Q_OBJECT

    CMainFrame* frame = nullptr;
    CTarvelView* view = nullptr;
    QTemporaryDir dir;

private slots:
    void initTestCase() {
        frame = App()->MainFrame();
        view = frame->View();
        frame->Checker()->SetDelay(10);
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
    }

    // Opening validates at once; the window must come back after Cancel with nothing of the
    // stopped run on it, and the worker free for the next command.
    void cancelStopsAValidationOnOpenThatWouldNeverEnd() {
        QVERIFY(frame->Checker()->IsEnabled());
        const QString path = dir.filePath("endless.c");
        QVERIFY(WriteFile(path, EndlessScript()));
        {
            DialogDriver driver;
            Watchdog watchdog;
            QVERIFY(App()->OpenDocumentFile(path));
            QCOMPARE(driver.progressShown, 1);
            QCOMPARE(driver.resultsShown, 0);
        }
        // Nor did a check while typing start on the same endless text meanwhile.
        QTRY_VERIFY_WITH_TIMEOUT(view->Validator()->IsIdle(), kStoppedMs);
        QCOMPARE(frame->findChild<QLabel*>("messageLabel")->text(), "Validation cancelled");
        QCOMPARE(view->MarkedLine(), 0);
        QCOMPARE(frame->findChild<QListWidget*>("liveVariableList")->count(), 0);

        // The editor takes keys again, and the next Validate gets its own answer.
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        view->setFocus();
        view->selectAll();
        QTest::keyClicks(view, "x = y;");
        QCOMPARE(view->EditorText(), "x = y;");
        DialogDriver driver;
        QTest::keyClick(view, Qt::Key_F5);
        QCOMPARE(driver.resultsShown, 1);
        QCOMPARE(driver.progressShown, 0);
    }

    // A new edit stops the check of the old text instead of waiting behind it, and only the
    // new text's outcome arrives.
    void aNewerLiveCheckStopsTheStaleOne() {
        // Only the checks started here: no pause after the typing above may add its own.
        frame->Checker()->SetEnabled(false);
        ValidationService* service = view->Validator();
        QTRY_VERIFY_WITH_TIMEOUT(service->IsIdle(), kGenerousMs);
        QSignalSpy finished(service, &ValidationService::LiveFinished);
        service->RunLive(EndlessScript());
        QTest::qWait(50);  // let the engine get going
        service->RunLive("late = 1;\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, kStoppedMs);
        const auto result = finished.at(0).at(0).value<std::shared_ptr<const ValidationResult>>();
        QCOMPARE(result->externalVariables.size(), 1u);
        QCOMPARE(result->externalVariables[0].name, "late");
        QTRY_VERIFY(service->IsIdle());
    }

    // Turning checking off stops a check underway; its partial outcome is never shown.
    void aDiscardedLiveCheckShowsNothing() {
        ValidationService* service = view->Validator();
        QSignalSpy finished(service, &ValidationService::LiveFinished);
        service->RunLive(EndlessScript());
        QTest::qWait(50);
        service->DiscardLive();
        QTRY_VERIFY_WITH_TIMEOUT(service->IsIdle(), kStoppedMs);
        QCoreApplication::processEvents();
        QCOMPARE(finished.count(), 0);
    }
};

int main(int argc, char** argv) { return RunAppTest<ValidationCancelTest>(argc, argv); }

#include "ValidationCancelTest.moc"
