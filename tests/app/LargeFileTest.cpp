// Opening a file validates it from the file's own bytes while the text comes into the view;
// a large text comes in slice by slice behind the result, and checking while typing takes
// the text out slice by slice. None of it may show the user a result for other text, leave
// a text half loaded where the user can reach it, or hand the engine other bytes than the
// editor's.
#include <QSignalSpy>
#include <QTextDocument>
#include <QtTest>

#include "AppTestSupport.h"
#include "CTarvelDoc.h"
#include "CTarvelView.h"
#include "DocumentText.h"
#include "LiveChecker.h"
#include "TextBytesCollector.h"
#include "ValidationService.h"

Q_DECLARE_METATYPE(TextFormat::Encoding)

namespace {

// Counts the engine's questions about a load error, answering Yes.
class CountingHost : public ScriptHost {
public:
    bool AskToContinue(const Diagnostic&) override {
        ++asked;
        return true;
    }
    int asked = 0;
};

// Lines of plain script, CR LF each, to more than bytes.
QByteArray LongScript(qsizetype bytes) {
    QByteArray script;
    script.reserve(bytes + 64);
    for (int k = 0; script.size() < bytes; ++k) {
        script += "int v" + QByteArray::number(k) + "; v" + QByteArray::number(k) + " = " + QByteArray::number(k) +
                  " * 2;\r\n";
    }
    return script;
}

}  // namespace

class LargeFileTest : public QObject {
    Q_OBJECT

    CTarvelDoc* document = nullptr;
    CTarvelView* view = nullptr;
    QTemporaryDir dir;

private slots:
    void initTestCase() {
        document = App()->MainFrame()->Document();
        view = App()->MainFrame()->View();
        App()->MainFrame()->Checker()->SetEnabled(false);
    }

    // Each test starts from an unmodified, empty text and an idle worker.
    void init() {
        document->OnNewDocument();
        QTRY_VERIFY_WITH_TIMEOUT(view->Validator()->IsIdle(), kGenerousMs);
    }

    // The file's bytes go to the engine in place of the editor's text only where the two are
    // the same bytes; where they might differ, the text is encoded as before.
    void fileBytesAreTheEngineBytesOnlyWhenTheSame_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("engineText");
        QTest::newRow("CR LF") << QByteArray("int x;\r\nx = 1;\r\n") << true;
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("blank lines") << QByteArray("\r\n\r\nx;\r\n\r\n") << true;
        QTest::newRow("LF") << QByteArray("int x;\nx = 1;\n") << false;
        QTest::newRow("CR") << QByteArray("int x;\rx = 1;") << false;
        QTest::newRow("CR LF and one CR") << QByteArray("a;\r\nb;\rc;\r\n") << false;
        QTest::newRow("LF CR") << QByteArray("a;\n\rb;") << false;
        QTest::newRow("UTF-8 with byte order mark") << QByteArray("\xEF\xBB\xBFs = \"\xC3\xA9\";\r\n") << true;
        QTest::newRow("UTF-8 beyond the basic plane") << QByteArray("s = \"\xF0\x9F\x98\x80\";\r\n") << true;
        QTest::newRow("Latin-1") << QByteArray("s = \"\xE9\xA0\xFF\";\r\n") << true;
        QTest::newRow("NUL") << QByteArray("a;\r\n", 4) + QByteArray(1, '\0') + QByteArray("b;\r\n") << true;
        QTest::newRow("line separator") << QByteArray("s = \"\xE2\x80\xA8\";\r\n") << true;
        QTest::newRow("paragraph separator") << QByteArray("s = \"\xE2\x80\xA9\";\r\n") << false;
        QTest::newRow("frame start") << QByteArray("s = \"\xEF\xB7\x90\";\r\n") << false;
        QTest::newRow("frame end") << QByteArray("s = \"\xEF\xB7\x91\";\r\n") << false;
        QTest::newRow("Latin-1 with the bytes of a separator") << QByteArray("s = \"\xE2\x80\xA9\xFF\";\r\n") << false;
    }
    void fileBytesAreTheEngineBytesOnlyWhenTheSame() {
        QFETCH(QByteArray, file);
        QFETCH(bool, engineText);
        const DecodedText decoded = DecodeText(file);
        view->SetEditorText(decoded.text);
        const QByteArray editorBytes =
            EncodeText(view->EditorText(), decoded.format.encoding, TextFormat::LineBreak::CrLf);
        QCOMPARE(IsEngineText(file), engineText);
        if (engineText) QCOMPARE(file, editorBytes);
        if (HoldsAsDecoded(decoded.text)) {
            QCOMPARE(EncodeText(decoded.text, decoded.format.encoding, TextFormat::LineBreak::CrLf), editorBytes);
        } else {
            QVERIFY(EncodeText(decoded.text, decoded.format.encoding, TextFormat::LineBreak::CrLf) != editorBytes);
        }
    }

    // Opening starts the validation before the command, and the command shows its answer.
    void openingValidatesTheFileOnce_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("early");
        QTest::addColumn<QString>("expected");
        QTest::newRow("CR LF") << QByteArray("int a;\r\na = \"s\";\r\n") << true << "line: 2:";
        QTest::newRow("LF") << QByteArray("int a;\n\na = \"s\";\n") << true << "line: 3:";
        // The editor breaks the line at the separator, so its text is not the file's.
        QTest::newRow("paragraph separator")
            << QByteArray("int a; // \xE2\x80\xA9\na = \"s\";\n") << false << "line: 3:";
    }
    void openingValidatesTheFileOnce() {
        QFETCH(QByteArray, file);
        QFETCH(QString, expected);
        const QString path = dir.filePath("script.c");
        QVERIFY(WriteFile(path, file));
        QVERIFY(document->OnOpenDocument(path));
        QTEST(view->Validator()->IsCommandRunning(), "early");
        const ResultReader seen(view);
        document->UpdateAllViews();
        QVERIFY(seen.shown);
        QVERIFY2(seen.message.contains(expected), qPrintable(seen.message));
        QVERIFY(!view->Validator()->IsCommandRunning());
        QTRY_VERIFY(view->Validator()->IsIdle());
    }

    // The run started at opening checks the text as it was. An edit before the command
    // makes it stale even when its answer is in already: the command checks the new text.
    void anEditBeforeTheCommandDropsTheRunOfTheFile() {
        const QString path = dir.filePath("script.c");
        QVERIFY(WriteFile(path, "int a;\r\na = \"s\";\r\n"));
        QVERIFY(document->OnOpenDocument(path));
        QTRY_VERIFY_WITH_TIMEOUT(view->Validator()->IsIdle(), kGenerousMs);
        QTextCursor top(view->document());
        top.insertText("\n");
        QVERIFY(!view->Validator()->IsCommandRunning());
        const ResultReader seen(view);
        document->UpdateAllViews();
        QVERIFY2(seen.message.contains("line: 3:"), qPrintable(seen.message));
        QCOMPARE(view->MarkedLine(), 3);
    }

    // A dropped run never asks about its load error: the text it would ask about is gone.
    void aDroppedRunAsksNothing() {
        auto host = std::make_shared<CountingHost>();
        ValidationService* service = view->Validator();
        service->StartCommand("x = 1;\r\n#define X\r\n", host);
        service->DropStartedCommand();
        QVERIFY(!service->IsCommandRunning());
        QVERIFY(!service->AwaitCommand(view));
        QTRY_VERIFY_WITH_TIMEOUT(service->IsIdle(), kGenerousMs);
        QCOMPARE(host->asked, 0);
        // The same run, not dropped, does ask.
        service->StartCommand("x = 1;\r\n#define X\r\n", host);
        const auto result = service->AwaitCommand(view);
        QCOMPARE(host->asked, 1);
        QVERIFY(result && result->loadError);
    }

    // A large file's result shows before its whole text is in the view, so the text was
    // not taken out of the view to be encoded again; after OK the text is whole, unmodified,
    // editable and without the loading in its undo history.
    void aLargeFileShowsItsResultWhileItsTextComesIn() {
        const QString path = dir.filePath("large.c");
        const QByteArray script = LongScript(3 * 1024 * 1024) + "a = ;\r\n";
        QVERIFY(WriteFile(path, script));
        const ResultReader seen(view);
        QVERIFY(App()->OpenDocumentFile(path));
        QVERIFY(seen.shown);
        QVERIFY(seen.loading);
        const int lines = static_cast<int>(script.count('\n'));
        QVERIFY2(seen.message.contains(QStringLiteral("line: %1:").arg(lines)), qPrintable(seen.message));
        QVERIFY(!view->IsLoading());
        QCOMPARE(view->blockCount(), lines + 1);
        QCOMPARE(view->MarkedLine(), lines);
        QCOMPARE(view->textCursor().blockNumber(), lines - 1);
        QCOMPARE(view->EngineBytes(), script);
        QVERIFY(!document->IsModified());
        QVERIFY(!view->document()->isUndoAvailable());
        QVERIFY(!view->isReadOnly());
        QTest::keyClick(view, Qt::Key_X);
        QVERIFY(document->IsModified());
        view->undo();
        QCOMPARE(view->EngineBytes(), script);
    }

    // A key reaches the whole text, never the part that came in so far.
    void aKeyDuringLoadingWaitsForTheWholeText() {
        const QString path = dir.filePath("large.c");
        const QByteArray script = LongScript(3 * 1024 * 1024);
        QVERIFY(WriteFile(path, script));
        QVERIFY(document->OnOpenDocument(path));
        QVERIFY(view->IsLoading());
        QVERIFY(view->isReadOnly());
        QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
        QVERIFY(!view->IsLoading());
        QTest::keyClick(view, Qt::Key_Y);
        QCOMPARE(view->EngineBytes(), script + "y");
        view->SetEditorText(QString());
        QVERIFY(!view->Validator()->IsCommandRunning());
    }

    // Taken out slice by slice, the text is byte for byte what encoding it at once gives,
    // whatever character a slice ends on. The recovery copy's '\n' breaks are RecoveryTest's.
    void collectingGivesTheTextsBytes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<TextFormat::Encoding>("encoding");
        QTest::addColumn<int>("slice");
        const auto utf8 = TextFormat::Encoding::Utf8;
        QTest::newRow("lines") << "int x;\nx = 1;\n\ny;" << utf8 << 3;
        QTest::newRow("empty") << "" << utf8 << 3;
        QTest::newRow("one slice") << "a;\nb;" << utf8 << 1000;
        QTest::newRow("beyond the basic plane") << "s = \"\U0001F600\U0001F600\";\n" << utf8 << 1;
        QTest::newRow("Latin-1") << "s = \"\u00E9\u00A0\u00FF\";\nt;" << TextFormat::Encoding::Latin1 << 2;
        QTest::newRow("line separator") << "a\u2028b;\nc;" << utf8 << 2;
    }
    void collectingGivesTheTextsBytes() {
        QFETCH(QString, text);
        QFETCH(TextFormat::Encoding, encoding);
        QFETCH(int, slice);
        QTextDocument source;
        source.setPlainText(text);
        TextBytesCollector collector(nullptr);
        collector.SetSliceLength(slice);
        QSignalSpy collected(&collector, &TextBytesCollector::Collected);
        collector.Start(&source, {encoding, TextFormat::LineBreak::CrLf});
        QTRY_COMPARE(collected.count(), 1);
        QString raw = source.toRawText();
        raw.replace(QChar::ParagraphSeparator, u'\n');
        QCOMPARE(collected.at(0).at(0).toByteArray(), EncodeText(raw, encoding, TextFormat::LineBreak::CrLf));
    }

    // An edit while the text is taken out abandons it: those bytes are no text of the view.
    void anEditAbandonsTheCollection() {
        QTextDocument source;
        // A pass of the event loop for each character: far more than the wait below lets by.
        source.setPlainText(QString(100000, u'x'));
        TextBytesCollector collector(nullptr);
        collector.SetSliceLength(1);
        QSignalSpy collected(&collector, &TextBytesCollector::Collected);
        collector.Start(&source, {});
        QTest::qWait(1);
        QVERIFY(collector.IsCollecting());
        QTextCursor(&source).insertText("y");
        QTRY_VERIFY(!collector.IsCollecting());
        QCoreApplication::processEvents();
        QCOMPARE(collected.count(), 0);
    }
};

int main(int argc, char** argv) { return RunAppTest<LargeFileTest>(argc, argv); }

#include "LargeFileTest.moc"
