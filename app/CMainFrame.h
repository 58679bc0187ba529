#pragma once
#include <QMainWindow>
#include <QStringList>
#include <array>

#include "RecentFileList.h"

class CTarvelApp;
class CTarvelDoc;
class CTarvelView;
class ExternalsDock;
class FindReplaceDialog;
class LiveChecker;
class QAction;
class RecoveryCopier;
class QLabel;
class QMenu;
class QToolBar;

/// The main window: the editor view, the menus, the toolbar and the status bar.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    /// The window of app with an untitled document; app handles the application commands.
    explicit CMainFrame(CTarvelApp* app);

    /// The document shown in the window.
    CTarvelDoc* Document() const;
    /// The editor view.
    CTarvelView* View() const;
    /// Find and Replace.
    FindReplaceDialog* FindDialog() const;
    /// Checking while typing.
    LiveChecker* Checker() const;
    /// The periodic recovery copies.
    RecoveryCopier* Copier() const;

    /// Keeps the unsaved text as the recovery copy at once, or drops the copy when nothing is
    /// unsaved; a periodic copy underway is abandoned or waited for first.
    void WriteRecoveryCopy();
    /// Offers the recovery copy a previous session left; true when the user took it.
    bool OfferRecovery();

protected:
    /// Asks about unsaved changes before the window closes.
    void closeEvent(QCloseEvent* event) override;
    /// Accepts files dragged onto the window.
    void dragEnterEvent(QDragEnterEvent* event) override;
    /// Opens a file dropped onto the window.
    void dropEvent(QDropEvent* event) override;

private:
    // The window's parts (CMainFrame.cpp).
    /// The document and the editor view that fills the window.
    void createDocumentAndView();
    /// The four menus in their order.
    void createMenus();
    /// The toolbar, dockable on every side.
    void createToolBar();
    /// "Ready" and the lock-key indicators.
    void createStatusBar();
    /// The names of the last check, beside the editor.
    void createDockWindows();

    // The commands (CMainFrameActions.cpp).
    /// Every command, menu by menu.
    void createActions();
    /// The File menu's commands.
    void createFileActions();
    /// The Edit menu's commands and the pane keys.
    void createEditActions();
    /// Redo, searching and moving through the text.
    void createSearchActions();
    /// The View and Help menus' commands.
    void createViewActions();
    /// Zoom and checking while typing.
    void createCodeViewActions();
    /// Go to Line: asks for a line number.
    void goToLine();

    // The document's file (CMainFrameFiles.cpp).
    /// Periodic recovery copies and the one written before a forced exit.
    void createRecovery();
    /// Removes the recovery copy once no periodic copy can put it back.
    void dropRecoveryCopy();
    /// Title bar and recent-file list follow the document.
    void connectDocument();
    /// The file's name, marked with * while it has unsaved changes.
    void updateTitle();
    /// Shows the recent files under the File menu, or the greyed "Recent File" when there are none.
    void updateRecentFileMenu(const QStringList& files);

    CTarvelApp* app;
    CTarvelDoc* document = nullptr;
    CTarvelView* view = nullptr;
    QToolBar* toolBar = nullptr;
    QMenu* viewMenu = nullptr;
    QLabel* messageLabel = nullptr;
    QLabel* positionLabel = nullptr;
    ExternalsDock* externalsDock = nullptr;
    FindReplaceDialog* findDialog = nullptr;
    LiveChecker* liveChecker = nullptr;
    RecoveryCopier* recoveryCopier = nullptr;

    QAction* newAct = nullptr;
    QAction* openAct = nullptr;
    QAction* saveAct = nullptr;
    QAction* saveAsAct = nullptr;
    QAction* printAct = nullptr;
    QAction* printPreviewAct = nullptr;
    QAction* printSetupAct = nullptr;
    QAction* validateAct = nullptr;
    QAction* recentFileAct = nullptr;
    std::array<QAction*, RecentFileList::kSize> recentFileActs{};
    QAction* exitAct = nullptr;
    QAction* undoAct = nullptr;
    QAction* cutAct = nullptr;
    QAction* copyAct = nullptr;
    QAction* pasteAct = nullptr;
    QAction* redoAct = nullptr;
    QAction* findAct = nullptr;
    QAction* findNextAct = nullptr;
    QAction* findPreviousAct = nullptr;
    QAction* replaceAct = nullptr;
    QAction* goToLineAct = nullptr;
    QAction* selectAllAct = nullptr;
    QAction* nextPaneAct = nullptr;
    QAction* prevPaneAct = nullptr;
    QAction* toolBarAct = nullptr;
    QAction* statusBarAct = nullptr;
    QAction* zoomInAct = nullptr;
    QAction* zoomOutAct = nullptr;
    QAction* zoomResetAct = nullptr;
    QAction* liveCheckAct = nullptr;
    QAction* aboutAct = nullptr;
};
