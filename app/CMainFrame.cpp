#include "CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "CTarvelApp.h"
#include "CTarvelDoc.h"
#include "CTarvelView.h"
#include "ToolbarIcons.h"

namespace {

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
    connectDocument();
    setAcceptDrops(true);
    resize(800, 600);
}

CTarvelDoc* CMainFrame::Document() const { return document; }

CTarvelView* CMainFrame::View() const { return view; }

void CMainFrame::createDocumentAndView() {
    document = new CTarvelDoc(this);
    view = new CTarvelView(document, app->Printer(), this);
    document->SetView(view);
    setCentralWidget(view);
}

void CMainFrame::createActions() {
    createFileActions();
    createEditActions();
    createViewActions();
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

    QMenu* viewMenu = menuBar()->addMenu(tr("&View"));
    viewMenu->addActions({toolBarAct, statusBarAct});

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
    statusBar()->addWidget(new QLabel(tr("Ready")), 1);
    // Lock-key states cannot be read portably, so the indicators only name their keys.
    for (const QString& indicator : {tr("CAP"), tr("NUM"), tr("SCRL")}) {
        auto* pane = new QLabel(indicator);
        pane->setEnabled(false);
        statusBar()->addPermanentWidget(pane);
    }
    connect(statusBarAct, &QAction::toggled, statusBar(), &QWidget::setVisible);
}

void CMainFrame::connectDocument() {
    connect(document, &CTarvelDoc::TitleChanged, this,
            [this](const QString& title) { setWindowTitle(tr("%1 - Tarvel").arg(title)); });
    connect(document, &CTarvelDoc::PathNameChanged, app->RecentFiles(), &RecentFileList::Add);
    connect(app->RecentFiles(), &RecentFileList::Changed, this, &CMainFrame::updateRecentFileMenu);
    updateRecentFileMenu(app->RecentFiles()->Files());
    setWindowTitle(tr("%1 - Tarvel").arg(document->GetTitle()));
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
