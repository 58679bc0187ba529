#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>

#include "AppTestSupport.h"
#include "BracketMatch.h"
#include "CResultDlg.h"
#include "CTarvelDoc.h"
#include "CTarvelView.h"
#include "CodeViewLayout.h"
#include "ExternalsDock.h"
#include "FindReplaceDialog.h"
#include "LiveChecker.h"
#include "TextPosition.h"
#include "ValidationService.h"

Q_DECLARE_METATYPE(TextFormat::Encoding)

namespace {

// Runs F5 and leaves the result dialog by OK.
void ValidateAndPressOk(CTarvelView* view) {
    const ResultReader ok;
    QTest::keyClick(view, Qt::Key_F5);
}

// The current line is one full-width band; the error line would be a second.
bool HasErrorBackground(const CTarvelView* view) {
    int bands = 0;
    for (const QTextEdit::ExtraSelection& selection : view->extraSelections()) {
        if (selection.format.property(QTextFormat::FullWidthSelection).toBool()) ++bands;
    }
    return bands > 1;
}

}  // namespace

class CodeViewTest : public QObject {
    Q_OBJECT

    CMainFrame* frame = nullptr;
    CTarvelView* view = nullptr;

private slots:
    void initTestCase() {
        frame = App()->MainFrame();
        view = frame->View();
        frame->Checker()->SetEnabled(false);
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
    }

    void init() {
        frame->Document()->OnNewDocument();
        // A closed dialog leaves no window active on the offscreen platform; keys need one.
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        view->setFocus();
    }

    // The engine's columns count bytes of the encoded line; the caret counts UTF-16 units.
    void byteColumnsBecomeCharacterIndexes_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<TextFormat::Encoding>("encoding");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("index");
        const auto utf8 = TextFormat::Encoding::Utf8;
        const auto latin1 = TextFormat::Encoding::Latin1;
        QTest::newRow("ASCII") << "x = y;" << utf8 << 3 << 2;
        QTest::newRow("after a two-byte letter") << "s = \"\u00e9\"; x" << utf8 << 11 << 9;
        QTest::newRow("same line in Latin-1") << "s = \"\u00e9\"; x" << latin1 << 10 << 9;
        QTest::newRow("after a four-byte character") << "s = \"\U0001F600\"; x" << utf8 << 13 << 10;
        QTest::newRow("inside a character's bytes") << "\u00e9x" << utf8 << 2 << 0;
        QTest::newRow("past the end") << "ab" << utf8 << 40 << 2;
        QTest::newRow("column zero") << "ab" << utf8 << 0 << 0;
    }
    void byteColumnsBecomeCharacterIndexes() {
        QFETCH(QString, line);
        QFETCH(TextFormat::Encoding, encoding);
        QFETCH(int, column);
        QFETCH(int, index);
        QCOMPARE(ColumnToIndex(line, column, encoding), index);
        if (column >= 1 && index < line.size() && !line[index].isSurrogate()) {
            QCOMPARE(ColumnToIndex(line, IndexToColumn(line, index, encoding), encoding), index);
        }
    }

    void bracketsFindTheirPartner_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("at");
        QTest::addColumn<int>("partner");
        QTest::newRow("forward over nesting") << "f(a(b)[c])" << 1 << 9;
        QTest::newRow("backward over nesting") << "{ {x} }" << 6 << 0;
        QTest::newRow("unmatched") << "(a" << 0 << -1;
        QTest::newRow("no bracket") << "abc" << 1 << -1;
    }
    void bracketsFindTheirPartner() {
        QFETCH(QString, text);
        QFETCH(int, at);
        QTextDocument document(text);
        QTEST(MatchingBracket(&document, at), "partner");
    }

    // OK after a failed validation puts the caret on the error, shows it and marks it.
    void okPutsTheCaretOnTheError() {
        const QString script = QStringLiteral("int a;\n// \u00e9\u00e9 line two\nb = c + g(1);\n") +
                               QString("x = 1;\n").repeated(200) + "a = \"s\";\nreturn a;";
        view->setPlainText(script);
        view->moveCursor(QTextCursor::Start);
        QSignalSpy validated(view, &CTarvelView::Validated);
        ValidateAndPressOk(view);
        QCOMPARE(validated.count(), 1);
        const auto result = validated.at(0).at(0).value<std::shared_ptr<const ValidationResult>>();
        QVERIFY(result->error);
        QCOMPARE(result->error->line, 204);
        QCOMPARE(view->textCursor().blockNumber(), 203);
        QCOMPARE(view->textCursor().positionInBlock(),
                 ColumnToIndex(view->textCursor().block().text(), result->error->column, TextFormat::Encoding::Utf8));
        QCOMPARE(view->MarkedLine(), 204);
        QVERIFY(view->viewport()->rect().contains(view->cursorRect()));
        QCOMPARE(frame->findChild<QLabel*>("messageLabel")->text(),
                 "Line 204: " + QString::fromStdString(result->error->message));
        QVERIFY(HasErrorBackground(view));
    }

    // The mark belongs to the text it was found in: the first edit takes it away.
    void anEditRemovesTheMark() {
        view->setPlainText("int a;\na = \"s\";");
        ValidateAndPressOk(view);
        QCOMPARE(view->MarkedLine(), 2);
        QTest::keyClick(view, Qt::Key_Space);
        QCOMPARE(view->MarkedLine(), 0);
        QVERIFY(!HasErrorBackground(view));
        QCOMPARE(frame->findChild<QLabel*>("messageLabel")->text(), "Ready");
    }

    // An answer computed for older text never reaches the view.
    void aStaleLiveResultIsDropped() {
        ValidationService* service = view->Validator();
        QSignalSpy finished(service, &ValidationService::LiveFinished);
        service->RunLive("x = ;\r\n");
        service->RunLive("x = 1;\r\n");
        QTRY_COMPARE(finished.count(), 1);
        QTest::qWait(50);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!finished.at(0).at(0).value<std::shared_ptr<const ValidationResult>>()->error);
    }

    // While typing, a pause checks the text; the names fill the dock and the error is marked
    // without moving the caret.
    void checkingWhileTypingMarksAndLists() {
        LiveChecker* checker = frame->Checker();
        checker->SetDelay(10);
        checker->SetEnabled(true);
        QSignalSpy checked(checker, &LiveChecker::Checked);
        QTest::keyClicks(view, "y = f(z);");
        QTest::keyClick(view, Qt::Key_Return);
        QTest::keyClicks(view, "1 +;");
        QTRY_VERIFY(checked.count() >= 1);
        QTRY_COMPARE(view->MarkedLine(), 2);
        QCOMPARE(view->textCursor().blockNumber(), 1);
        auto* variables = frame->findChild<QListWidget*>("liveVariableList");
        QCOMPARE(variables->count(), 2);
        QCOMPARE(variables->item(0)->text(), "y");
        // The edit that follows makes the run underway stale: no mark for text that changed.
        QTest::keyClick(view, Qt::Key_Backspace);
        QCOMPARE(view->MarkedLine(), 0);
        checker->SetEnabled(false);
    }

    void enterKeepsTheIndentation() {
        QTest::keyClicks(view, "\tif (x) {");
        QTest::keyClick(view, Qt::Key_Return);
        QTest::keyClicks(view, "y;");
        QCOMPARE(view->EditorText(), "\tif (x) {\n\ty;");
    }

    void titleAndStatusBarFollowTheEditor() {
        QCOMPARE(frame->windowTitle(), "Untitled - Tarvel");
        QTest::keyClicks(view, "ab");
        QTest::keyClick(view, Qt::Key_Return);
        QTest::keyClicks(view, "cd");
        QCOMPARE(frame->windowTitle(), "Untitled* - Tarvel");
        QCOMPARE(frame->findChild<QLabel*>("positionLabel")->text(), "Ln 2, Col 3");
        view->undo();
        view->redo();
        QCOMPARE(view->EditorText(), "ab\ncd");
    }

    // Replacing works on the text only: the file's line breaks and encoding come back as read.
    void replaceAllKeepsTheFilesLineBreaks() {
        QTemporaryDir dir;
        const QString path = dir.filePath("crlf.c");
        QVERIFY(WriteFile(path, "a = 1;\r\nb = a;\r\n\r\n"));
        QVERIFY(frame->Document()->OnOpenDocument(path));
        FindReplaceDialog* find = frame->FindDialog();
        find->SetFindText("a");
        find->SetReplaceText("xy");
        QCOMPARE(find->ReplaceAll(), 2);
        find->close();
        QVERIFY(frame->Document()->OnFileSave());
        QCOMPARE(FileBytes(path), "xy = 1;\r\nb = xy;\r\n\r\n");
        view->undo();  // one step takes back every replacement
        QCOMPARE(view->EditorText(), "a = 1;\nb = a;\n\n");
    }

    void findWrapsAround() {
        view->setPlainText("one two one");
        view->moveCursor(QTextCursor::End);
        FindReplaceDialog* find = frame->FindDialog();
        find->SetFindText("one");
        QVERIFY(find->FindNext());
        QCOMPARE(view->textCursor().selectionStart(), 0);
        QVERIFY(find->FindNext(true));
        QCOMPARE(view->textCursor().selectionStart(), 8);
        find->SetFindText("three");
        QVERIFY(!find->FindNext());
    }

    void zoomIsRememberedAndReset() {
        const int before = view->font().pointSize();
        view->ZoomIn();
        QCOMPARE(view->font().pointSize(), before + 1);
        QCOMPARE(QSettings().value("editor/zoom").toInt(), view->ZoomSteps());
        view->ResetZoom();
        QCOMPARE(view->ZoomSteps(), 0);
        QVERIFY(QFontInfo(view->font()).fixedPitch());
    }

    // The view lays out a block edited on its own itself; its lines must be the ones the
    // plain-text layout would make, or the caret, the painting and the scroll range drift.
    void anEditedBlockIsLaidOutAsThePlainTextLayoutWould_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("erased");
        const QString words = QString("word ").repeated(60);
        QTest::newRow("a key") << "int x;\nx = 1;\n" << 1 << "2" << 0;
        QTest::newRow("the line wraps") << "a;\n" + QString(70, u'w') + "\nb;" << 1 << QString(200, u'v') << 0;
        QTest::newRow("words wrap") << "a;\n" + words + "\n" << 1 << words << 0;
        QTest::newRow("the line unwraps") << words + "\nb;\n" << 0 << "" << 200;
        QTest::newRow("tabs") << "\tx\t= 1;\n" << 0 << "\t\ty" << 0;
        QTest::newRow("beyond the basic plane, right to left") << "s = \"\U0001F600\";\n"
                                                               << 0 << "\u05D0\u05D1 \U0001F600" << 1;
    }
    void anEditedBlockIsLaidOutAsThePlainTextLayoutWould() {
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(QString, typed);
        QFETCH(int, erased);
        auto* layout = qobject_cast<CodeViewLayout*>(view->document()->documentLayout());
        QVERIFY(layout);
        view->SetEditorText(text);
        view->viewport()->repaint();
        QTextCursor cursor(view->document()->findBlockByNumber(line));
        cursor.movePosition(QTextCursor::EndOfBlock);
        for (int k = 0; k < erased; ++k) cursor.deletePreviousChar();
        cursor.insertText(typed);
        const QTextBlock block = cursor.block();
        const auto lines = [&] {
            QList<QList<qreal>> geometry;
            const QTextLayout* laidOut = block.layout();
            for (int k = 0; k < laidOut->lineCount(); ++k) {
                const QTextLine at = laidOut->lineAt(k);
                geometry.append({at.x(), at.y(), at.width(), at.naturalTextWidth(), at.height(),
                                 static_cast<qreal>(at.textStart()), static_cast<qreal>(at.textLength())});
            }
            geometry.append(
                {static_cast<qreal>(view->document()->lineCount()), layout->blockBoundingRect(block).height()});
            return geometry;
        };
        const QList<QList<qreal>> ours = lines();
        QVERIFY(ours.size() > 1);
        block.layout()->clearLayout();
        layout->ensureBlockLayout(block);
        QCOMPARE(ours, lines());
    }

    // The box shows the message only: Tab leaves it and Enter presses OK. The dialog fits
    // the screen it opens on.
    void theResultDialogWorksFromTheKeyboard() {
        CResultDlg dialog(frame);
        dialog.SetMessage("ScriptReader: message");
        bool tabLeft = false;
        bool readOnly = false;
        ModalCloser closer([&](QWidget* modal) {
            auto* box = modal->findChild<QPlainTextEdit*>("messageEdit");
            readOnly = box->isReadOnly();
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Tab);
            tabLeft = !box->hasFocus();
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Return);
        });
        QCOMPARE(dialog.DoModal(), QDialog::Accepted);
        QVERIFY(readOnly);
        QVERIFY(tabLeft);
        const QSize room = frame->screen()->availableGeometry().size();
        QVERIFY2(dialog.frameSize().width() <= room.width() && dialog.frameSize().height() <= room.height(),
                 qPrintable(QString("%1x%2").arg(dialog.frameSize().width()).arg(dialog.frameSize().height())));
    }
};

int main(int argc, char** argv) { return RunAppTest<CodeViewTest>(argc, argv); }

#include "CodeViewTest.moc"
