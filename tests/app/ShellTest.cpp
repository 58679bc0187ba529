#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

#include "AppTestSupport.h"
#include "CResultDlg.h"
#include "CTarvelDoc.h"
#include "CTarvelView.h"

namespace {

struct ShownResult {
    bool shown = false;
    QString message;
    QStringList variables;
    QStringList functions;
};

QStringList ListItems(QWidget* dialog, const QString& name) {
    QStringList items;
    auto* list = dialog->findChild<QListWidget*>(name);
    for (int row = 0; row < list->count(); ++row) items << list->item(row)->text();
    return items;
}

// Runs command, reading the result dialog it shows and leaving it by OK; any other
// dialog is dismissed so that a failing test cannot hang.
ShownResult RecordResult(const std::function<void()>& command) {
    ShownResult result;
    ModalCloser closer([&result](QWidget* modal) {
        auto* dialog = qobject_cast<CResultDlg*>(modal);
        if (!dialog) {
            QTest::keyClick(modal, Qt::Key_Escape);
            return;
        }
        result.shown = true;
        result.message = dialog->findChild<QPlainTextEdit*>(QStringLiteral("messageEdit"))->toPlainText();
        result.variables = ListItems(dialog, QStringLiteral("variableList"));
        result.functions = ListItems(dialog, QStringLiteral("functionList"));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
    });
    command();
    return result;
}

// Visible entries of a menu or toolbar, a separator as "-", each shown through describe.
QStringList Entries(const QList<QAction*>& actions, QString (*describe)(const QAction*)) {
    QStringList entries;
    for (const QAction* action : actions) {
        if (action->isVisible()) entries << (action->isSeparator() ? QStringLiteral("-") : describe(action));
    }
    return entries;
}

QString TextOf(const QAction* action) { return action->text(); }
QString PromptOf(const QAction* action) { return action->statusTip(); }

// The text of a PDF from Qt's writer: each page stream is deflated, and the glyph codes of
// its Tj operators map to characters through the font's ToUnicode table.
QString PdfText(const QByteArray& pdf) {
    static const QRegularExpression streamPattern(QStringLiteral("stream\r?\n(.*?)endstream"),
                                                  QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression rangePattern(QStringLiteral("<(\\w{4})> <\\w{4}> \\[([^\\]]*)\\]"));
    static const QRegularExpression codePattern(QStringLiteral("<(\\w{4})>"));
    QMap<uint, QChar> characterOf;
    QStringList glyphRuns;
    for (const auto& stream : streamPattern.globalMatch(QString::fromLatin1(pdf))) {
        const QByteArray raw = stream.captured(1).toLatin1();
        // Deflated streams start with the zlib header byte 0x78; the font tables are plain.
        const QByteArray text = raw.startsWith('\x78') ? qUncompress(QByteArray::fromHex("00100000") + raw) : raw;
        const QString content = QString::fromLatin1(text);
        for (const auto& range : rangePattern.globalMatch(content)) {
            uint code = range.captured(1).toUInt(nullptr, 16);
            for (const auto& target : codePattern.globalMatch(range.captured(2))) {
                characterOf[code++] = QChar(target.captured(1).toUShort(nullptr, 16));
            }
        }
        for (const auto& run : QRegularExpression(QStringLiteral("<(\\w+)> Tj")).globalMatch(content)) {
            glyphRuns << run.captured(1);
        }
    }
    QString shown;
    for (const QString& run : glyphRuns) {
        for (qsizetype k = 0; k + 4 <= run.size(); k += 4) shown += characterOf.value(run.mid(k, 4).toUInt(nullptr, 16));
    }
    return shown;
}

QString WithoutSpaces(QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s"))); }

}  // namespace

class ShellTest : public QObject {
    Q_OBJECT

    CMainFrame* frame = nullptr;
    CTarvelView* view = nullptr;

private slots:
    void initTestCase() {
        frame = App()->MainFrame();
        view = frame->View();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
    }

    void init() { view->SetEditorText(QString()); }

    void menusListTheCommandsInOrder_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("File") << "&File"
                              << QStringList{"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "Save &As...", "-",
                                             "&Print...\tCtrl+P", "Print Pre&view", "P&rint Setup...", "-",
                                             "Validate \tF5", "-", "Recent File", "-", "E&xit"};
        QTest::newRow("Edit") << "&Edit" << QStringList{"&Undo\tCtrl+Z", "-", "Cu&t\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V"};
        QTest::newRow("View") << "&View" << QStringList{"&Toolbar", "&Status Bar"};
        QTest::newRow("Help") << "&Help" << QStringList{"&About Tarvel..."};
    }
    void menusListTheCommandsInOrder() {
        QFETCH(QString, title);
        QFETCH(QStringList, entries);
        QMenu* menu = nullptr;
        for (QAction* action : frame->menuBar()->actions()) {
            if (action->text() == title) menu = action->menu();
        }
        QVERIFY(menu);
        QCOMPARE(Entries(menu->actions(), TextOf), entries);
    }

    void keysAreBoundToTheirCommands_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("prompt");
        const QString copy = "Copy the selection and put it on the Clipboard";
        const QString paste = "Insert Clipboard contents";
        const QString undo = "Undo the last action";
        const QString cut = "Cut the selection and put it on the Clipboard";
        QTest::newRow("Ctrl+C") << "Ctrl+C" << copy;
        QTest::newRow("Ctrl+Insert") << "Ctrl+Ins" << copy;
        QTest::newRow("Ctrl+N") << "Ctrl+N" << "Create a new document";
        QTest::newRow("Ctrl+O") << "Ctrl+O" << "Open an existing document";
        QTest::newRow("Ctrl+P") << "Ctrl+P" << "Print the active document";
        QTest::newRow("Ctrl+S") << "Ctrl+S" << "Save the active document";
        QTest::newRow("Ctrl+V") << "Ctrl+V" << paste;
        QTest::newRow("Shift+Insert") << "Shift+Ins" << paste;
        QTest::newRow("Alt+Backspace") << "Alt+Backspace" << undo;
        QTest::newRow("Ctrl+Z") << "Ctrl+Z" << undo;
        QTest::newRow("Shift+Delete") << "Shift+Del" << cut;
        QTest::newRow("Ctrl+X") << "Ctrl+X" << cut;
        QTest::newRow("F5") << "F5" << "Validates the C script file";
        QTest::newRow("F6") << "F6" << "Switch to the next window pane";
        QTest::newRow("Shift+F6") << "Shift+F6" << "Switch back to the previous window pane";
    }
    void keysAreBoundToTheirCommands() {
        QFETCH(QString, key);
        QFETCH(QString, prompt);
        QStringList bound;
        for (const QAction* action : frame->findChildren<QAction*>()) {
            if (action->shortcuts().contains(QKeySequence(key))) bound << action->statusTip();
        }
        QCOMPARE(bound, QStringList{prompt});
    }

    void toolbarAndStatusBarFollowTheLayout() {
        QCOMPARE(Entries(frame->findChild<QToolBar*>()->actions(), PromptOf),
                 (QStringList{"Create a new document", "Open an existing document", "Save the active document", "-",
                              "Cut the selection and put it on the Clipboard",
                              "Copy the selection and put it on the Clipboard", "Insert Clipboard contents", "-",
                              "Print the active document", "-",
                              "Display program information, version number and copyright",
                              "Validates the C script file"}));
        QStringList panes;
        for (const QLabel* label : frame->statusBar()->findChildren<QLabel*>()) panes << label->text();
        QCOMPARE(panes, (QStringList{"Ready", "CAP", "NUM", "SCRL"}));
    }

    void validateRunsFromKeyAndToolbar_data() {
        QTest::addColumn<bool>("fromToolbar");
        QTest::newRow("F5") << false;
        QTest::newRow("toolbar button") << true;
    }
    void validateRunsFromKeyAndToolbar() {
        QFETCH(bool, fromToolbar);
        const QString script = "int x;\nx = y + f(2);";
        view->insertPlainText(script);
        auto* toolBar = frame->findChild<QToolBar*>();
        QWidget* button = toolBar->widgetForAction(toolBar->actions().constLast());
        const ShownResult result = RecordResult([&] {
            if (fromToolbar) {
                QTest::mouseClick(button, Qt::LeftButton);
            } else {
                QTest::keyClick(view, Qt::Key_F5);
            }
        });
        QVERIFY(result.shown);
        QCOMPARE(result.message, "Validation successful");
        QCOMPARE(result.variables, QStringList{"y"});
        QCOMPARE(result.functions, QStringList{"f"});
        // Validation only reads the document.
        QCOMPARE(view->EditorText(), script);
        QVERIFY(frame->Document()->IsModified());
    }

    void dialogShowsTheOutcome_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<QStringList>("functions");
        QTest::newRow("empty") << "" << "Validation successful" << QStringList{} << QStringList{};
        QTest::newRow("names sorted ignoring case")
            << "int x;\nx = zeta + Alpha + beta(gamma) + Delta(1);\nx = y + f(2);" << "Validation successful"
            << QStringList{"Alpha", "gamma", "y", "zeta"} << QStringList{"beta", "Delta", "f"};
        QTest::newRow("script error") << "int a;\nb = c + g(1);\na = \"s\";\nreturn a;"
                                      << "ScriptReader: file:'*inline*', line: 3: Operator '=' type mismatch\n\n"
                                         "b = c + g(1);\na = \"s\";\nreturn a;"
                                      << QStringList{"b", "c"} << QStringList{"g"};
    }
    void dialogShowsTheOutcome() {
        QFETCH(QString, script);
        view->setPlainText(script);
        const ShownResult result = RecordResult([this] { view->OnValidate(); });
        QVERIFY(result.shown);
        QTEST(result.message, "message");
        QTEST(result.variables, "variables");
        QTEST(result.functions, "functions");
    }

    void openingAFileValidatesIt() {
        QAction* placeholder = nullptr;
        for (QAction* action : frame->findChildren<QAction*>()) {
            if (action->text() == "Recent File") placeholder = action;
        }
        QVERIFY(placeholder && placeholder->isVisible() && !placeholder->isEnabled());
        QTemporaryDir dir;
        const QString path = dir.filePath("opened.c");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("x = y;\r\n") == 8);
        file.close();

        const ShownResult result = RecordResult([&] { QVERIFY(App()->OpenDocumentFile(path)); });
        QVERIFY(result.shown);
        QCOMPARE(result.variables, (QStringList{"x", "y"}));
        QCOMPARE(view->EditorText(), "x = y;\n");
        QCOMPARE(frame->windowTitle(), "opened.c - Tarvel");
        QVERIFY(!placeholder->isVisible());
        QStringList recent;
        for (const QAction* action : frame->findChildren<QAction*>()) {
            if (action->text().startsWith("&1 ")) recent << action->text();
        }
        QCOMPARE(recent, QStringList{"&1 " + QDir::toNativeSeparators(path)});
    }

    void newShowsNoDialog() {
        view->SetEditorText("int x;");
        ModalCloser closer([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
        App()->OnFileNew();
        QCoreApplication::processEvents();
        QVERIFY(!closer.Seen());
        QCOMPARE(view->EditorText(), QString());
        QCOMPARE(frame->windowTitle(), "Untitled - Tarvel");
    }

    void unsavedChangesAreAskedAbout() {
        view->insertPlainText("int x;");
        QString question;
        ModalCloser closer([&question](QWidget* modal) {
            question = static_cast<QMessageBox*>(modal)->text();
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        App()->OnFileNew();
        QCOMPARE(question, "Save changes to Untitled?");
        QCOMPARE(view->EditorText(), "int x;");
    }

    void printingToPdfKeepsTheText() {
        const QString text = "int total;\ntotal = count + 1;";
        view->setPlainText(text);
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("printed.pdf"));
        view->PrintTo(&printer);
        QFile pdf(printer.outputFileName());
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        // The page number follows the text.
        QVERIFY(WithoutSpaces(PdfText(pdf.readAll())).startsWith(WithoutSpaces(text)));
    }
};

int main(int argc, char** argv) { return RunAppTest<ShellTest>(argc, argv); }

#include "ShellTest.moc"
