#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputDialog>

#include "CMainFrame.h"
#include "CTarvelApp.h"
#include "CTarvelDoc.h"
#include "CTarvelView.h"
#include "CommandPrompt.h"
#include "FindReplaceDialog.h"
#include "LiveChecker.h"
#include "ToolbarIcons.h"

// Every command of the window, one block each, menu by menu.

void CMainFrame::createActions() {
    createFileActions();
    createEditActions();
    createSearchActions();
    createViewActions();
    createCodeViewActions();
}

void CMainFrame::createFileActions() {
    newAct = new QAction(ToolbarIcon(ToolbarGlyph::New), tr("&New\tCtrl+N"), this);
    newAct->setShortcut(Qt::CTRL | Qt::Key_N);
    SetPrompt(newAct, tr("Create a new document\nNew"));
    connect(newAct, &QAction::triggered, app, &CTarvelApp::OnFileNew);

    openAct = new QAction(ToolbarIcon(ToolbarGlyph::Open), tr("&Open...\tCtrl+O"), this);
    openAct->setShortcut(Qt::CTRL | Qt::Key_O);
    SetPrompt(openAct, tr("Open an existing document\nOpen"));
    connect(openAct, &QAction::triggered, app, &CTarvelApp::OnFileOpen);

    saveAct = new QAction(ToolbarIcon(ToolbarGlyph::Save), tr("&Save\tCtrl+S"), this);
    saveAct->setShortcut(Qt::CTRL | Qt::Key_S);
    SetPrompt(saveAct, tr("Save the active document\nSave"));
    connect(saveAct, &QAction::triggered, document, &CTarvelDoc::OnFileSave);

    saveAsAct = new QAction(tr("Save &As..."), this);
    SetPrompt(saveAsAct, tr("Save the active document with a new name\nSave As"));
    connect(saveAsAct, &QAction::triggered, document, &CTarvelDoc::OnFileSaveAs);

    printAct = new QAction(ToolbarIcon(ToolbarGlyph::Print), tr("&Print...\tCtrl+P"), this);
    printAct->setShortcut(Qt::CTRL | Qt::Key_P);
    SetPrompt(printAct, tr("Print the active document\nPrint"));
    connect(printAct, &QAction::triggered, view, &CTarvelView::OnFilePrint);

    printPreviewAct = new QAction(tr("Print Pre&view"), this);
    SetPrompt(printPreviewAct, tr("Display full pages\nPrint Preview"));
    connect(printPreviewAct, &QAction::triggered, view, &CTarvelView::OnFilePrintPreview);

    printSetupAct = new QAction(tr("P&rint Setup..."), this);
    SetPrompt(printSetupAct, tr("Change the printer and printing options\nPrint Setup"));
    connect(printSetupAct, &QAction::triggered, app, &CTarvelApp::OnFilePrintSetup);

    validateAct = new QAction(ToolbarIcon(ToolbarGlyph::Validate), tr("Validate \tF5"), this);
    validateAct->setShortcut(Qt::Key_F5);
    SetPrompt(validateAct, tr("Validates the C script file"));
    connect(validateAct, &QAction::triggered, view, &CTarvelView::OnValidate);

    // Stands in for the list while it is empty, greyed as a reminder of where it appears.
    recentFileAct = new QAction(tr("Recent File"), this);
    recentFileAct->setEnabled(false);

    for (QAction*& recent : recentFileActs) {
        recent = new QAction(this);
        recent->setStatusTip(tr("Open this document"));
        connect(recent, &QAction::triggered, this,
                [this, recent] { app->OpenDocumentFile(recent->data().toString()); });
    }

    exitAct = new QAction(tr("E&xit"), this);
    SetPrompt(exitAct, tr("Quit the application; prompts to save documents\nExit"));
    connect(exitAct, &QAction::triggered, this, &QWidget::close);
}

void CMainFrame::createEditActions() {
    undoAct = new QAction(tr("&Undo\tCtrl+Z"), this);
    undoAct->setShortcuts({Qt::CTRL | Qt::Key_Z, Qt::ALT | Qt::Key_Backspace});
    SetPrompt(undoAct, tr("Undo the last action\nUndo"));
    undoAct->setEnabled(false);
    connect(undoAct, &QAction::triggered, view, &QPlainTextEdit::undo);
    connect(view, &QPlainTextEdit::undoAvailable, undoAct, &QAction::setEnabled);

    cutAct = new QAction(ToolbarIcon(ToolbarGlyph::Cut), tr("Cu&t\tCtrl+X"), this);
    cutAct->setShortcuts({Qt::CTRL | Qt::Key_X, Qt::SHIFT | Qt::Key_Delete});
    SetPrompt(cutAct, tr("Cut the selection and put it on the Clipboard\nCut"));
    cutAct->setEnabled(false);
    connect(cutAct, &QAction::triggered, view, &QPlainTextEdit::cut);
    connect(view, &QPlainTextEdit::copyAvailable, cutAct, &QAction::setEnabled);

    copyAct = new QAction(ToolbarIcon(ToolbarGlyph::Copy), tr("&Copy\tCtrl+C"), this);
    copyAct->setShortcuts({Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_Insert});
    SetPrompt(copyAct, tr("Copy the selection and put it on the Clipboard\nCopy"));
    copyAct->setEnabled(false);
    connect(copyAct, &QAction::triggered, view, &QPlainTextEdit::copy);
    connect(view, &QPlainTextEdit::copyAvailable, copyAct, &QAction::setEnabled);

    pasteAct = new QAction(ToolbarIcon(ToolbarGlyph::Paste), tr("&Paste\tCtrl+V"), this);
    pasteAct->setShortcuts({Qt::CTRL | Qt::Key_V, Qt::SHIFT | Qt::Key_Insert});
    SetPrompt(pasteAct, tr("Insert Clipboard contents\nPaste"));
    connect(pasteAct, &QAction::triggered, view, &QPlainTextEdit::paste);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { pasteAct->setEnabled(view->canPaste()); });
    pasteAct->setEnabled(view->canPaste());

    // The window has a single pane, so there is nothing to switch to; the keys stay
    // reserved so they never reach the editor.
    nextPaneAct = new QAction(this);
    nextPaneAct->setShortcut(Qt::Key_F6);
    SetPrompt(nextPaneAct, tr("Switch to the next window pane\nNext Pane"));
    nextPaneAct->setEnabled(false);
    addAction(nextPaneAct);

    prevPaneAct = new QAction(this);
    prevPaneAct->setShortcut(Qt::SHIFT | Qt::Key_F6);
    SetPrompt(prevPaneAct, tr("Switch back to the previous window pane\nPrevious Pane"));
    prevPaneAct->setEnabled(false);
    addAction(prevPaneAct);
}

void CMainFrame::createSearchActions() {
    redoAct = new QAction(tr("&Redo\tCtrl+Y"), this);
    redoAct->setShortcuts({Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z});
    SetPrompt(redoAct, tr("Redo the previously undone action\nRedo"));
    redoAct->setEnabled(false);
    connect(redoAct, &QAction::triggered, view, &QPlainTextEdit::redo);
    connect(view, &QPlainTextEdit::redoAvailable, redoAct, &QAction::setEnabled);

    findAct = new QAction(tr("&Find...\tCtrl+F"), this);
    findAct->setShortcut(Qt::CTRL | Qt::Key_F);
    SetPrompt(findAct, tr("Find the specified text\nFind"));
    connect(findAct, &QAction::triggered, this, [this] { findDialog->Open(false); });

    findNextAct = new QAction(tr("Find &Next\tF3"), this);
    findNextAct->setShortcut(Qt::Key_F3);
    SetPrompt(findNextAct, tr("Find the next occurrence of the text\nFind Next"));
    connect(findNextAct, &QAction::triggered, this, [this] {
        if (!findDialog->FindNext(false)) findDialog->Open(false);
    });

    findPreviousAct = new QAction(tr("Find Pre&vious\tShift+F3"), this);
    findPreviousAct->setShortcut(Qt::SHIFT | Qt::Key_F3);
    SetPrompt(findPreviousAct, tr("Find the previous occurrence of the text\nFind Previous"));
    connect(findPreviousAct, &QAction::triggered, this, [this] {
        if (!findDialog->FindNext(true)) findDialog->Open(false);
    });

    replaceAct = new QAction(tr("R&eplace...\tCtrl+H"), this);
    replaceAct->setShortcut(Qt::CTRL | Qt::Key_H);
    SetPrompt(replaceAct, tr("Replace specific text with different text\nReplace"));
    connect(replaceAct, &QAction::triggered, this, [this] { findDialog->Open(true); });

    goToLineAct = new QAction(tr("&Go To Line...\tCtrl+G"), this);
    goToLineAct->setShortcut(Qt::CTRL | Qt::Key_G);
    SetPrompt(goToLineAct, tr("Move to the specified line\nGo To Line"));
    connect(goToLineAct, &QAction::triggered, this, &CMainFrame::goToLine);

    selectAllAct = new QAction(tr("Select &All\tCtrl+A"), this);
    selectAllAct->setShortcut(Qt::CTRL | Qt::Key_A);
    SetPrompt(selectAllAct, tr("Select the entire document\nSelect All"));
    connect(selectAllAct, &QAction::triggered, view, &QPlainTextEdit::selectAll);
}

void CMainFrame::createViewActions() {
    toolBarAct = new QAction(tr("&Toolbar"), this);
    toolBarAct->setCheckable(true);
    toolBarAct->setChecked(true);
    SetPrompt(toolBarAct, tr("Show or hide the toolbar\nToggle ToolBar"));

    statusBarAct = new QAction(tr("&Status Bar"), this);
    statusBarAct->setCheckable(true);
    statusBarAct->setChecked(true);
    SetPrompt(statusBarAct, tr("Show or hide the status bar\nToggle StatusBar"));

    aboutAct = new QAction(ToolbarIcon(ToolbarGlyph::About), tr("&About Tarvel..."), this);
    SetPrompt(aboutAct, tr("Display program information, version number and copyright\nAbout"));
    connect(aboutAct, &QAction::triggered, app, &CTarvelApp::OnAppAbout);
}

void CMainFrame::createCodeViewActions() {
    zoomInAct = new QAction(tr("Zoom &In\tCtrl++"), this);
    zoomInAct->setShortcuts({Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal});
    SetPrompt(zoomInAct, tr("Show the text larger\nZoom In"));
    connect(zoomInAct, &QAction::triggered, view, &CTarvelView::ZoomIn);

    zoomOutAct = new QAction(tr("Zoom &Out\tCtrl+-"), this);
    zoomOutAct->setShortcut(Qt::CTRL | Qt::Key_Minus);
    SetPrompt(zoomOutAct, tr("Show the text smaller\nZoom Out"));
    connect(zoomOutAct, &QAction::triggered, view, &CTarvelView::ZoomOut);

    zoomResetAct = new QAction(tr("&Normal Size\tCtrl+0"), this);
    zoomResetAct->setShortcut(Qt::CTRL | Qt::Key_0);
    SetPrompt(zoomResetAct, tr("Show the text in the desktop's size\nNormal Size"));
    connect(zoomResetAct, &QAction::triggered, view, &CTarvelView::ResetZoom);

    liveCheckAct = new QAction(tr("&Check While Typing"), this);
    liveCheckAct->setCheckable(true);
    liveCheckAct->setChecked(liveChecker->IsEnabled());
    SetPrompt(liveCheckAct, tr("Validate the script in the background after each pause in typing\nCheck While Typing"));
    connect(liveCheckAct, &QAction::toggled, liveChecker, &LiveChecker::SetEnabled);
}

void CMainFrame::goToLine() {
    bool ok = false;
    const int line = QInputDialog::getInt(this, tr("Go To Line"), tr("Line number (1 - %1):").arg(view->blockCount()),
                                          view->textCursor().blockNumber() + 1, 1, view->blockCount(), 1, &ok);
    if (ok) view->GoTo(line, 1);
}
