#include "CAboutDlg.h"

#include <QLabel>
#include <QPushButton>

#include "DialogUnits.h"
#include "TarvelVersion.h"
#include "ToolbarIcons.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Tarvel"));
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    const DialogUnits units(font);
    setFixedSize(units.Size(232, 65));

    auto* icon = new QLabel(this);
    icon->setPixmap(ApplicationIcon().pixmap(32, 32));
    icon->setGeometry(units.Rect(11, 17, 20, 20));

    auto* version = new QLabel(tr("Tarvel Version %1").arg(QStringLiteral(TARVEL_VERSION)), this);
    version->setGeometry(units.Rect(40, 10, 119, 8));

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setGeometry(units.Rect(175, 7, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
