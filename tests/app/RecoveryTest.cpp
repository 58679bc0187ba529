// The recovery copy: written whole and at once before a forced exit, and every period while
// there are unsaved changes, taken out of the view slice by slice and written on a thread of
// its own. No copy may hold other text than the view's, land after a newer one, stay behind
// once the text is saved, or touch the file the text belongs to.
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <atomic>

#include "AppTestSupport.h"
#include "CTarvelDoc.h"
#include "CTarvelView.h"
#include "LiveChecker.h"
#include "RecoveryCopier.h"
#include "RecoveryStore.h"

namespace {

// Far longer than any test: no period ends by itself unless a test asks for it.
constexpr int kNoPeriodMs = 24 * 60 * 60 * 1000;
// The slice the program takes.
constexpr int kProgramSlice = 64 * 1024;

bool WriteToStore(const QString& file, const QString& path, const QByteArray& text) {
    return RecoveryStore::Write(file, path, text);
}

}  // namespace

class RecoveryTest : public QObject {
    Q_OBJECT

    CMainFrame* frame = nullptr;
    CTarvelView* view = nullptr;
    RecoveryCopier* copier = nullptr;
    QTemporaryDir dir;

    // An untitled document with text typed into it.
    void Type(const QString& text) {
        frame->Document()->OnNewDocument();
        view->insertPlainText(text);
        QVERIFY(frame->Document()->IsModified());
    }

    // Types 100,000 characters and starts a copy that takes them out one per pass of the event
    // loop: far more passes than a test's next steps let by. True while it is under way.
    bool StartASlowCopy() {
        Type(QString(100000, u'x') + u'\n');
        copier->SetSliceLength(1);
        copier->CopyNow();
        QTest::qWait(1);
        return copier->IsCopying();
    }

    void Restore(const QString& path, const QString& text) {
        frame->Document()->RestoreRecovered(path, text);
        // The first colours come in after the text, and the document counts them as a revision:
        // a copy started before then would be abandoned.
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase() {
        frame = App()->MainFrame();
        view = frame->View();
        copier = frame->Copier();
        frame->Checker()->SetEnabled(false);
        copier->SetInterval(kNoPeriodMs);
    }

    void init() {
        copier->Stop();
        copier->SetWriter(WriteToStore);
        copier->SetSliceLength(kProgramSlice);
        frame->Document()->OnNewDocument();
        RecoveryStore::Remove();
    }

    void aCopyBeforeAForcedExitKeepsTextAndFile() {
        Type("int \u00e9;\n");
        emit view->ForcedExit();
        const auto copy = RecoveryStore::Read();
        QVERIFY(copy);
        QCOMPARE(copy->text, "int \u00e9;\n");
        frame->Document()->OnNewDocument();  // nothing unsaved any more
        QVERIFY(!RecoveryStore::Read());
    }

    // Taken out slice by slice and written on another thread, the periodic copy is byte for
    // byte the copy a forced exit writes at once: line breaks as typed, UTF-8 whatever the
    // file's encoding, the file's path on its own line. The file itself stays as it was.
    void aPeriodicCopyIsTheTextAsTyped_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("slice");
        QTest::newRow("lines, a break at a slice's end") << "int x;\nx = 1;\n\n\ny;" << 3;
        QTest::newRow("one slice") << "int x;\nx = 1;\n" << kProgramSlice;
        QTest::newRow("beyond the basic plane") << "s = \"\U0001F600\U0001F600\";\n" << 1;
        QTest::newRow("Latin-1 letters, line separator") << "s = \"\u00e9\u00a0\u00ff\";\u2028t;\n" << 2;
        QTest::newRow("breaks only") << "\n\n\n" << 1;
    }
    void aPeriodicCopyIsTheTextAsTyped() {
        QFETCH(QString, text);
        QFETCH(int, slice);
        const QString path = dir.filePath("latin1.c");
        const QByteArray original = "s = \"\xe9\";\r\n";
        QVERIFY(WriteFile(path, original));
        Restore(path, text);
        copier->SetSliceLength(slice);
        QSignalSpy written(copier, &RecoveryCopier::Written);
        copier->CopyNow();
        QVERIFY(written.wait(kGenerousMs));
        QCOMPARE(written.at(0).at(0).toBool(), true);
        const QByteArray periodic = FileBytes(RecoveryStore::FilePath());
        const auto copy = RecoveryStore::Read();
        QVERIFY(copy);
        QCOMPARE(copy->text, text);
        QCOMPARE(copy->path, path);
        frame->WriteRecoveryCopy();
        QCOMPARE(periodic, FileBytes(RecoveryStore::FilePath()));
        QCOMPARE(FileBytes(path), original);
    }

    // The period ends by itself while there are unsaved changes, and not without them.
    void copiesComeOnlyWhileTextIsUnsaved() {
        QSignalSpy written(copier, &RecoveryCopier::Written);
        copier->SetInterval(1);
        QTest::qWait(50);
        QCOMPARE(written.count(), 0);
        QVERIFY(!RecoveryStore::Read());
        Type("x;\n");
        QVERIFY(written.wait(kGenerousMs));
        copier->SetInterval(kNoPeriodMs);
        copier->Stop();
        QCOMPARE(RecoveryStore::Read()->text, "x;\n");
    }

    // An edit while the text is taken out leaves the bytes taken so far as no text the view
    // ever held: that copy is dropped, and another, with the edit, follows after a short pause
    // rather than a whole period.
    void anEditWhileTheTextIsTakenOutAbandonsTheCopy() {
        QVERIFY(StartASlowCopy());
        QSignalSpy written(copier, &RecoveryCopier::Written);
        view->moveCursor(QTextCursor::Start);
        view->insertPlainText("y");
        QTRY_VERIFY(!copier->IsCopying());
        QCoreApplication::processEvents();
        QCOMPARE(written.count(), 0);
        QVERIFY(!RecoveryStore::Read());

        copier->SetSliceLength(kProgramSlice);
        QVERIFY(written.wait(kGenerousMs));
        QCOMPARE(RecoveryStore::Read()->text, "y" + QString(100000, u'x') + u'\n');
    }

    // A forced exit cannot wait for the slices: its copy is the whole current text at once, and
    // the periodic copy underway never lands after it.
    void aForcedExitWhileTheTextIsTakenOutLeavesTheWholeText() {
        QVERIFY(StartASlowCopy());
        QSignalSpy written(copier, &RecoveryCopier::Written);
        view->insertPlainText("z");
        emit view->ForcedExit();
        QCOMPARE(RecoveryStore::Read()->text, QString(100000, u'x') + "\nz");
        QVERIFY(!copier->IsCopying());
        QTest::qWait(20);
        QCOMPARE(written.count(), 0);
        QCOMPARE(RecoveryStore::Read()->text, QString(100000, u'x') + "\nz");
    }

    // A periodic copy of older text still on its way to the disk must not land after the copy
    // of a forced exit, nor after the copy was dropped because the text was saved.
    void aCopyBeingWrittenNeverLandsLast_data() {
        QTest::addColumn<bool>("save");
        QTest::newRow("forced exit") << false;
        QTest::newRow("saved") << true;
    }
    void aCopyBeingWrittenNeverLandsLast() {
        QFETCH(bool, save);
        const QString path = dir.filePath("saved.c");
        QVERIFY(WriteFile(path, "x;\r\n"));
        Restore(path, "y;\n");
        // A slow disk: the older copy is still being written when the user acts.
        std::atomic<bool> writerStarted = false;
        copier->SetWriter([&](const QString& file, const QString& copyPath, const QByteArray& text) {
            writerStarted = true;
            QThread::msleep(300);
            return RecoveryStore::Write(file, copyPath, text);
        });
        copier->CopyNow();
        QTRY_VERIFY(writerStarted);
        view->moveCursor(QTextCursor::End);
        view->insertPlainText("z");
        if (save) {
            QVERIFY(frame->Document()->OnFileSave());
        } else {
            emit view->ForcedExit();
        }
        // The program may end right here: nothing may be left to land later.
        const bool settled = !copier->IsCopying();
        QTRY_VERIFY(!copier->IsCopying());
        QCoreApplication::processEvents();
        if (save) {
            QVERIFY(!RecoveryStore::Read());
        } else {
            QCOMPARE(RecoveryStore::Read()->text, "y;\nz");
        }
        QVERIFY(settled);
    }
};

int main(int argc, char** argv) { return RunAppTest<RecoveryTest>(argc, argv); }

#include "RecoveryTest.moc"
