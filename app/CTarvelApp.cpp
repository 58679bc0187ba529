#include "CTarvelApp.h"

#include <QFileDialog>
#include <QPageSetupDialog>
#include <QStringList>

#include "CAboutDlg.h"
#include "CMainFrame.h"
#include "CTarvelDoc.h"
#include "RecentFileList.h"
#include "ResultDlgHook.h"
#include "ToolbarIcons.h"

CTarvelApp::CTarvelApp(int& argc, char** argv) : QApplication(argc, argv) {}

CTarvelApp::~CTarvelApp() = default;

bool CTarvelApp::InitInstance() {
    // Where QSettings keeps the recent-file list; the names are the ones earlier releases
    // stored their profile under, so existing lists carry over.
    setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    setApplicationName(QStringLiteral("Tarvel"));
    setWindowIcon(ApplicationIcon());

    recentFiles = new RecentFileList(this);
    recentFiles->ReadList();
    mainFrame = std::make_unique<CMainFrame>(this);
    ResultDlgHook::InstallFromEnvironment(this);

    // The file types are registered by the desktop entry and MIME package that
    // `cmake --install` puts in place, not at run time.
    mainFrame->show();
    // Text a previous session could not save comes first; the command line waits for
    // another start rather than pushing it aside.
    if (mainFrame->OfferRecovery()) return true;
    return ProcessShellCommand();
}

CMainFrame* CTarvelApp::MainFrame() const { return mainFrame.get(); }

QPrinter* CTarvelApp::Printer() { return &printer; }

RecentFileList* CTarvelApp::RecentFiles() const { return recentFiles; }

bool CTarvelApp::ProcessShellCommand() {
    const QStringList arguments = QApplication::arguments().mid(1);
    for (const QString& argument : arguments) {
        // Only a file is expected; anything that looks like an option is not one.
        if (!argument.startsWith(u'-')) return OpenDocumentFile(argument);
    }
    OnFileNew();
    return true;
}

bool CTarvelApp::OpenDocumentFile(const QString& path) {
    CTarvelDoc* document = mainFrame->Document();
    if (!document->SaveModified()) return false;
    if (!document->OnOpenDocument(path)) {
        recentFiles->Remove(path);
        return false;
    }
    document->UpdateAllViews();
    return true;
}

void CTarvelApp::OnFileNew() {
    CTarvelDoc* document = mainFrame->Document();
    if (!document->SaveModified()) return;
    document->OnNewDocument();
    document->UpdateAllViews();
}

void CTarvelApp::OnFileOpen() {
    const QString path = QFileDialog::getOpenFileName(mainFrame.get(), QString(), QString(), CTarvelDoc::FileFilter());
    if (!path.isEmpty()) OpenDocumentFile(path);
}

void CTarvelApp::OnFilePrintSetup() {
    QPageSetupDialog dialog(&printer, mainFrame.get());
    dialog.setWindowTitle(tr("Print Setup"));
    dialog.exec();
}

void CTarvelApp::OnAppAbout() {
    CAboutDlg dialog(mainFrame.get());
    dialog.exec();
}
