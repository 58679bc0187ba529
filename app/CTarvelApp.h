#pragma once
#include <QApplication>
#include <QPrinter>
#include <memory>

class CMainFrame;
class RecentFileList;

/// The application: starts the editor, owns its one window, the printer settings and the
/// recent-file list, and handles the commands that are not about one document.
class CTarvelApp : public QApplication {
    Q_OBJECT

public:
    /// Qt's start-up with the process arguments; argc must outlive the application.
    CTarvelApp(int& argc, char** argv);
    ~CTarvelApp() override;

    /// Settings, main window and command line; false when the start-up failed.
    bool InitInstance();
    /// The one main window, or null before InitInstance.
    CMainFrame* MainFrame() const;
    /// The printer every print command and Print Setup share.
    QPrinter* Printer();
    /// The recent-file list of the File menu.
    RecentFileList* RecentFiles() const;
    /// Asks about unsaved changes, loads the file and validates it; false when nothing opened.
    bool OpenDocumentFile(const QString& path);

    /// File New: asks about unsaved changes and starts an empty document.
    void OnFileNew();
    /// File Open: asks for a file and opens it.
    void OnFileOpen();
    /// File Print Setup: page and printer options for later printing.
    void OnFilePrintSetup();
    /// Help About.
    void OnAppAbout();

private:
    /// Opens the file named on the command line, or starts an empty document.
    bool ProcessShellCommand();

    QPrinter printer{QPrinter::HighResolution};
    RecentFileList* recentFiles = nullptr;
    // The one window without a Qt parent; destroyed before the application object.
    std::unique_ptr<CMainFrame> mainFrame;
};
