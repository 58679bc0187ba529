#include "CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTextBlock>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "CTarvelApp.h"
#include "CTarvelDoc.h"
#include "CTarvelView.h"
#include "ExternalsDock.h"
#include "FindReplaceDialog.h"
#include "LiveChecker.h"
#include "LockKeyIndicators.h"
#include "RecoveryStore.h"
#include "ToolbarIcons.h"

namespace {

// How often unsaved text is copied aside: at most this much typing is lost in a crash.
constexpr int kRecoveryIntervalMs = 30000;

// A command's prompt is its status-bar text, then "\n" and its tooltip; a prompt without a
// tooltip part serves as both.
void SetPrompt(QAction* action, const QString& prompt) {
    const qsizetype split = prompt.indexOf(u'\n');
    action->setStatusTip(split < 0 ? prompt : prompt.left(split));
    action->setToolTip(split < 0 ? prompt : prompt.mid(split + 1));
}

// The first file among dragged data, or an empty string when there is none.
QString DroppedFile(const QMimeData* data) {
    if (!data->hasUrls()) return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) return url.toLocalFile();
    }
    return {};
}

}  // namespace

CMainFrame::CMainFrame(CTarvelApp* app) : app(app) {
    createDocumentAndView();
    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    createDockWindows();
    createRecovery();
    connectDocument();
    setAcceptDrops(true);
    resize(800, 600);
}

CTarvelDoc* CMainFrame::Document() const { return document; }

CTarvelView* CMainFrame::View() const { return view; }

FindReplaceDialog* CMainFrame::FindDialog() const { return findDialog; }

LiveChecker* CMainFrame::Checker() const { return liveChecker; }

void CMainFrame::createDocumentAndView() {
    document = new CTarvelDoc(this);
    view = new CTarvelView(document, app->Printer(), this);
    document->SetView(view);
    setCentralWidget(view);
    findDialog = new FindReplaceDialog(view, this);
    liveChecker = new LiveChecker(view);
}

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
        connect(recent, &QAction::triggered, this, [this, recent] { app->OpenDocumentFile(recent->data().toString()); });
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

void CMainFrame::createMenus() {
    QMenu* fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->addActions({newAct, openAct, saveAct, saveAsAct});
    fileMenu->addSeparator();
    fileMenu->addActions({printAct, printPreviewAct, printSetupAct});
    fileMenu->addSeparator();
    fileMenu->addAction(validateAct);
    fileMenu->addSeparator();
    fileMenu->addAction(recentFileAct);
    for (QAction* recent : recentFileActs) fileMenu->addAction(recent);
    fileMenu->addSeparator();
    fileMenu->addAction(exitAct);

    QMenu* editMenu = menuBar()->addMenu(tr("&Edit"));
    editMenu->addAction(undoAct);
    editMenu->addSeparator();
    editMenu->addActions({cutAct, copyAct, pasteAct});
    editMenu->addSeparator();
    editMenu->addAction(redoAct);
    editMenu->addSeparator();
    editMenu->addActions({findAct, findNextAct, findPreviousAct, replaceAct, goToLineAct});
    editMenu->addSeparator();
    editMenu->addAction(selectAllAct);

    viewMenu = menuBar()->addMenu(tr("&View"));
    viewMenu->addActions({toolBarAct, statusBarAct});
    viewMenu->addSeparator();
    viewMenu->addActions({zoomInAct, zoomOutAct, zoomResetAct});
    viewMenu->addSeparator();
    viewMenu->addAction(liveCheckAct);

    QMenu* helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->addAction(aboutAct);
}

void CMainFrame::createToolBar() {
    toolBar = addToolBar(tr("Standard"));
    toolBar->setObjectName(QStringLiteral("toolBar"));
    toolBar->setIconSize(QSize(16, 15));
    toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    toolBar->addActions({newAct, openAct, saveAct});
    toolBar->addSeparator();
    toolBar->addActions({cutAct, copyAct, pasteAct});
    toolBar->addSeparator();
    toolBar->addAction(printAct);
    toolBar->addSeparator();
    toolBar->addActions({aboutAct, validateAct});
    connect(toolBarAct, &QAction::toggled, toolBar, &QWidget::setVisible);
    connect(toolBar, &QToolBar::visibilityChanged, toolBarAct, &QAction::setChecked);
}

void CMainFrame::createStatusBar() {
    // A normal widget, not a message: tooltips and menu prompts cover it while they show and
    // "Ready" returns by itself.
    messageLabel = new QLabel(tr("Ready"));
    messageLabel->setObjectName(QStringLiteral("messageLabel"));
    statusBar()->addWidget(messageLabel, 1);
    const auto showMessage = [this](const QString& text) { messageLabel->setText(text.isEmpty() ? tr("Ready") : text); };
    connect(view, &CTarvelView::StatusMessage, this, showMessage);
    connect(findDialog, &FindReplaceDialog::StatusMessage, this, showMessage);

    positionLabel = new QLabel(tr("Ln %1, Col %2").arg(1).arg(1));
    positionLabel->setObjectName(QStringLiteral("positionLabel"));
    statusBar()->addPermanentWidget(positionLabel);
    connect(view, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        const QTextCursor cursor = view->textCursor();
        positionLabel->setText(tr("Ln %1, Col %2").arg(cursor.blockNumber() + 1).arg(cursor.positionInBlock() + 1));
    });

    QLabel* panes[3] = {};
    int k = 0;
    for (const QString& indicator : {tr("CAP"), tr("NUM"), tr("SCRL")}) {
        panes[k] = new QLabel(indicator);
        panes[k]->setEnabled(false);
        statusBar()->addPermanentWidget(panes[k++]);
    }
    new LockKeyIndicators(panes[0], panes[1], panes[2], this);
    connect(statusBarAct, &QAction::toggled, statusBar(), &QWidget::setVisible);
}

void CMainFrame::createDockWindows() {
    externalsDock = new ExternalsDock(this);
    addDockWidget(Qt::RightDockWidgetArea, externalsDock);
    resizeDocks({externalsDock}, {externalsDock->sizeHint().width()}, Qt::Horizontal);
    const auto showNames = [this](const std::shared_ptr<const ValidationResult>& result) {
        externalsDock->SetNames(*result);
    };
    connect(view, &CTarvelView::Validated, this, showNames);
    connect(liveChecker, &LiveChecker::Checked, this, showNames);
    connect(externalsDock, &ExternalsDock::GoToRequested, view, &CTarvelView::GoTo);
    QAction* dockAct = externalsDock->toggleViewAction();
    SetPrompt(dockAct, tr("Show or hide the external names of the last check\nExternal Dependencies"));
    viewMenu->addAction(dockAct);
}

void CMainFrame::createRecovery() {
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this] {
        if (document->IsModified()) WriteRecoveryCopy();
    });
    timer->start(kRecoveryIntervalMs);
    // Before the program ends without asking, the text goes where the next start finds it.
    connect(view, &CTarvelView::ForcedExit, this, &CMainFrame::WriteRecoveryCopy);
    // Saved, reverted or replaced by another file: nothing is left to recover. A new text
    // comes in without a change of the modified flag, but always with a new title.
    const auto dropWhenSaved = [this] {
        if (!document->IsModified()) RecoveryStore::Remove();
    };
    connect(view->document(), &QTextDocument::modificationChanged, this, dropWhenSaved);
    connect(document, &CTarvelDoc::TitleChanged, this, dropWhenSaved);
}

void CMainFrame::WriteRecoveryCopy() {
    if (!document->IsModified()) {
        RecoveryStore::Remove();
        return;
    }
    RecoveryStore::Write({document->GetPathName(), view->EditorText()});
}

bool CMainFrame::OfferRecovery() {
    const std::optional<RecoveryStore::Copy> copy = RecoveryStore::Read();
    if (!copy) return false;
    const QString name = copy->path.isEmpty() ? tr("Untitled") : QDir::toNativeSeparators(copy->path);
    const auto answer = QMessageBox::question(
        this, tr("Tarvel"), tr("Tarvel ended before the changes to %1 were saved.\nRestore them?").arg(name));
    if (answer != QMessageBox::Yes) {
        RecoveryStore::Remove();
        return false;
    }
    document->RestoreRecovered(copy->path, copy->text);
    return true;
}

void CMainFrame::goToLine() {
    bool ok = false;
    const int line = QInputDialog::getInt(this, tr("Go To Line"), tr("Line number (1 - %1):").arg(view->blockCount()),
                                          view->textCursor().blockNumber() + 1, 1, view->blockCount(), 1, &ok);
    if (ok) view->GoTo(line, 1);
}

void CMainFrame::connectDocument() {
    connect(document, &CTarvelDoc::TitleChanged, this, &CMainFrame::updateTitle);
    connect(view->document(), &QTextDocument::modificationChanged, this, &CMainFrame::updateTitle);
    connect(document, &CTarvelDoc::PathNameChanged, app->RecentFiles(), &RecentFileList::Add);
    connect(app->RecentFiles(), &RecentFileList::Changed, this, &CMainFrame::updateRecentFileMenu);
    updateRecentFileMenu(app->RecentFiles()->Files());
    updateTitle();
}

void CMainFrame::updateTitle() {
    const QString unsaved = document->IsModified() ? QStringLiteral("*") : QString();
    setWindowTitle(tr("%1%2 - Tarvel").arg(document->GetTitle(), unsaved));
}

void CMainFrame::updateRecentFileMenu(const QStringList& files) {
    recentFileAct->setVisible(files.isEmpty());
    for (int slot = 0; slot < RecentFileList::kSize; ++slot) {
        QAction* recent = recentFileActs[static_cast<std::size_t>(slot)];
        recent->setVisible(slot < files.size());
        if (slot >= files.size()) continue;
        recent->setText(QStringLiteral("&%1 %2").arg(slot + 1).arg(QDir::toNativeSeparators(files[slot])));
        recent->setData(files[slot]);
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (document->SaveModified()) {
        RecoveryStore::Remove();
        event->accept();
    } else {
        event->ignore();
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    activateWindow();
    // Opening validates and shows a modal dialog; the drag source must not wait for that.
    QTimer::singleShot(0, this, [this, path] { app->OpenDocumentFile(path); });
}
