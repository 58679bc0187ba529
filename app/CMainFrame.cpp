#include "CMainFrame.h"

#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "CTarvelApp.h"
#include "CTarvelDoc.h"
#include "CTarvelView.h"
#include "CommandPrompt.h"
#include "ExternalsDock.h"
#include "FindReplaceDialog.h"
#include "LiveChecker.h"
#include "LockKeyIndicators.h"

// The window's parts; its commands live in CMainFrameActions.cpp, the handling of the
// document's file in CMainFrameFiles.cpp.

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

RecoveryCopier* CMainFrame::Copier() const { return recoveryCopier; }

void CMainFrame::createDocumentAndView() {
    document = new CTarvelDoc(this);
    view = new CTarvelView(document, app->Printer(), this);
    document->SetView(view);
    setCentralWidget(view);
    findDialog = new FindReplaceDialog(view, this);
    liveChecker = new LiveChecker(view);
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
    const auto showMessage = [this](const QString& text) {
        messageLabel->setText(text.isEmpty() ? tr("Ready") : text);
    };
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
