#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

#include "AppTestSupport.h"
#include "CTarvelDoc.h"
#include "CTarvelView.h"
#include "ExternalsDock.h"

namespace {

// Visible entries of a menu or toolbar, a separator as "-", each shown through describe.
QStringList Entries(const QList<QAction*>& actions, QString (QAction::*describe)() const) {
    QStringList entries;
    for (const QAction* action : actions) {
        if (action->isVisible()) entries << (action->isSeparator() ? QStringLiteral("-") : (action->*describe)());
    }
    return entries;
}

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
                              << QStringList{"&New\tCtrl+N",
                                             "&Open...\tCtrl+O",
                                             "&Save\tCtrl+S",
                                             "Save &As...",
                                             "-",
                                             "&Print...\tCtrl+P",
                                             "Print Pre&view",
                                             "P&rint Setup...",
                                             "-",
                                             "Validate \tF5",
                                             "-",
                                             "Recent File",
                                             "-",
                                             "E&xit"};
        QTest::newRow("Edit") << "&Edit"
                              << QStringList{"&Undo\tCtrl+Z",
                                             "-",
                                             "Cu&t\tCtrl+X",
                                             "&Copy\tCtrl+C",
                                             "&Paste\tCtrl+V",
                                             "-",
                                             "&Redo\tCtrl+Y",
                                             "-",
                                             "&Find...\tCtrl+F",
                                             "Find &Next\tF3",
                                             "Find Pre&vious\tShift+F3",
                                             "R&eplace...\tCtrl+H",
                                             "&Go To Line...\tCtrl+G",
                                             "-",
                                             "Select &All\tCtrl+A"};
        QTest::newRow("View") << "&View"
                              << QStringList{"&Toolbar",
                                             "&Status Bar",
                                             "-",
                                             "Zoom &In\tCtrl++",
                                             "Zoom &Out\tCtrl+-",
                                             "&Normal Size\tCtrl+0",
                                             "-",
                                             "&Check While Typing",
                                             "External dependencies"};
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
        QCOMPARE(Entries(menu->actions(), &QAction::text), entries);
    }

    void keysAreBoundToTheirCommands_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("prompts");  // of every action the key is bound to
        const QString copy = "Copy the selection and put it on the Clipboard";
        const QString paste = "Insert Clipboard contents";
        const QString undo = "Undo the last action";
        const QString cut = "Cut the selection and put it on the Clipboard";
        const std::pair<QString, QString> bindings[] = {{"Ctrl+C", copy},
                                                        {"Ctrl+Ins", copy},
                                                        {"Ctrl+V", paste},
                                                        {"Shift+Ins", paste},
                                                        {"Alt+Backspace", undo},
                                                        {"Ctrl+Z", undo},
                                                        {"Shift+Del", cut},
                                                        {"Ctrl+X", cut},
                                                        {"Ctrl+N", "Create a new document"},
                                                        {"Ctrl+O", "Open an existing document"},
                                                        {"Ctrl+P", "Print the active document"},
                                                        {"Ctrl+S", "Save the active document"},
                                                        {"F5", "Validates the C script file"},
                                                        {"F6", "Switch to the next window pane"},
                                                        {"Shift+F6", "Switch back to the previous window pane"},
                                                        {"Ctrl+Y", "Redo the previously undone action"},
                                                        {"Ctrl+Shift+Z", "Redo the previously undone action"},
                                                        {"Ctrl+F", "Find the specified text"},
                                                        {"F3", "Find the next occurrence of the text"},
                                                        {"Shift+F3", "Find the previous occurrence of the text"},
                                                        {"Ctrl+H", "Replace specific text with different text"},
                                                        {"Ctrl+G", "Move to the specified line"},
                                                        {"Ctrl+A", "Select the entire document"}};
        for (const auto& [key, prompt] : bindings) QTest::newRow(qPrintable(key)) << key << QStringList{prompt};
    }
    void keysAreBoundToTheirCommands() {
        QFETCH(QString, key);
        QStringList bound;
        for (const QAction* action : frame->findChildren<QAction*>()) {
            if (action->shortcuts().contains(QKeySequence(key))) bound << action->statusTip();
        }
        QTEST(bound, "prompts");
    }

    void toolbarAndStatusBarFollowTheLayout() {
        QCOMPARE(Entries(frame->findChild<QToolBar*>()->actions(), &QAction::statusTip),
                 (QStringList{
                     "Create a new document", "Open an existing document", "Save the active document", "-",
                     "Cut the selection and put it on the Clipboard", "Copy the selection and put it on the Clipboard",
                     "Insert Clipboard contents", "-", "Print the active document", "-",
                     "Display program information, version number and copyright", "Validates the C script file"}));
        QStringList panes;
        for (const QLabel* label : frame->statusBar()->findChildren<QLabel*>()) panes << label->text();
        QCOMPARE(panes, (QStringList{"Ready", "Ln 1, Col 1", "CAP", "NUM", "SCRL"}));
    }

    // The dock starts as wide as its texts need, so the editor keeps the room; a long name
    // does not make it claim the window.
    void externalsDockIsAsWideAsItsTexts() {
        auto* dock = frame->findChild<ExternalsDock*>();
        for (const QLabel* label : dock->findChildren<QLabel*>()) QVERIFY(label->width() >= label->sizeHint().width());
        QVERIFY(dock->width() >= dock->fontMetrics().horizontalAdvance(dock->windowTitle()));
        QVERIFY(view->width() >= frame->width() * 3 / 4);

        ValidationResult result;
        result.externalVariables.push_back({std::string(300, 'n')});
        ExternalsDock filled(nullptr);
        filled.SetNames(result);
        QVERIFY(filled.sizeHint().width() <= filled.fontMetrics().averageCharWidth() * 40);
        QVERIFY(filled.sizeHint().width() >= filled.fontMetrics().averageCharWidth() * 20);
    }

    void validationShowsTheOutcome_data() {
        QTest::addColumn<bool>("fromToolbar");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<QStringList>("functions");
        QTest::newRow("F5, names sorted ignoring case")
            << false << "int x;\nx = yak + Alpha + beta(gamma) + Delta(1);\nx = y + f(2);"
            << "Validation successful" << QStringList{"Alpha", "gamma", "y", "yak"}
            << QStringList{"beta", "Delta", "f"};
        QTest::newRow("toolbar button, script error") << true << "int a;\nb = c + g(1);\na = \"s\";\nreturn a;"
                                                      << "ScriptReader: file:'*inline*', line: 3: Operator '=' type "
                                                         "mismatch\n\nb = c + g(1);\na = \"s\";\nreturn a;"
                                                      << QStringList{"b", "c"} << QStringList{"g"};
    }
    void validationShowsTheOutcome() {
        QFETCH(bool, fromToolbar);
        QFETCH(QString, script);
        view->insertPlainText(script);
        auto* toolBar = frame->findChild<QToolBar*>();
        QWidget* button = toolBar->widgetForAction(toolBar->actions().constLast());
        const ResultReader result;
        if (fromToolbar) QTest::mouseClick(button, Qt::LeftButton);
        else QTest::keyClick(view, Qt::Key_F5);
        QVERIFY(result.shown);
        QTEST(result.message, "message");
        QTEST(result.variables, "variables");
        QTEST(result.functions, "functions");
        // Validation only reads the document.
        QCOMPARE(view->EditorText(), script);
        QVERIFY(frame->Document()->IsModified());
    }

    void openingAFileValidatesIt() {
        QAction* placeholder = nullptr;
        for (QAction* action : frame->findChildren<QAction*>()) {
            if (action->text() == "Recent File") placeholder = action;
        }
        QVERIFY(placeholder && placeholder->isVisible() && !placeholder->isEnabled());
        QTemporaryDir dir;
        const QString path = dir.filePath("opened.c");
        QVERIFY(WriteFile(path, "x = y;\r\n"));
        const ResultReader result;
        QVERIFY(App()->OpenDocumentFile(path));
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

    void newAsksOnlyAboutUnsavedChanges() {
        view->SetEditorText("int x;");  // unmodified
        {
            ModalCloser none([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
            App()->OnFileNew();
            QCoreApplication::processEvents();
            QVERIFY(!none.Seen());
        }
        QCOMPARE(view->EditorText(), QString());
        QCOMPARE(frame->windowTitle(), "Untitled - Tarvel");

        view->insertPlainText("int x;");
        QString question;
        ModalCloser asked([&question](QWidget* modal) {
            question = static_cast<QMessageBox*>(modal)->text();
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        App()->OnFileNew();
        QCOMPARE(question, "Save changes to Untitled?");
        QCOMPARE(view->EditorText(), "int x;");
    }

    // The pages are the framework's own printing; the view hands it the whole document under
    // the document's title.
    void printingPrintsTheWholeDocumentUnderItsTitle() {
        view->setPlainText(QString("int total;\n").repeated(200));
        QTemporaryDir dir;
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("printed.pdf"));
        view->PrintTo(&printer);
        QCOMPARE(printer.docName(), frame->Document()->GetTitle());
        QVERIFY(FileBytes(printer.outputFileName()).count("/Type /Page\n") >= 3);  // 200 lines fill several pages
    }
};

int main(int argc, char** argv) { return RunAppTest<ShellTest>(argc, argv); }

#include "ShellTest.moc"
