#pragma once
#include <QDialog>

/// "About Tarvel": the program's icon and version.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    /// The dialog over parent.
    explicit CAboutDlg(QWidget* parent);
};
