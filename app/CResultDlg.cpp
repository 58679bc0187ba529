#include "CResultDlg.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QGuiApplication>

#include "DialogUnits.h"
#include "reader/ReaderMessages.h"

namespace {

constexpr int kSmallestPointSize = 6;

QLabel* AddLabel(QWidget* parent, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

QListWidget* AddList(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setGeometry(geometry);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return list;
}

QPushButton* AddButton(QWidget* parent, const QString& name, const QString& text, const QRect& geometry) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

// Courier New at 12 points, or smaller where the dialog would not fit the screen: the
// layout scales with its font, so every text and place stays as it is.
QFont FittingFont(QWidget* parent) {
    QFont font(QStringLiteral("Courier New"), 12);
    // Where Courier New is missing any fixed-pitch font will do.
    font.setStyleHint(QFont::TypeWriter);
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (!screen) return font;
    // Room for the window's title bar and frame, which the dialog's own size leaves out.
    const QSize room = screen->availableGeometry().size() - QSize(16, 48);
    while (font.pointSize() > kSmallestPointSize) {
        const QSize size = DialogUnits(font).Size(328, 279);
        if (size.width() <= room.width() && size.height() <= room.height()) break;
        font.setPointSize(font.pointSize() - 1);
    }
    return font;
}

}  // namespace

CResultDlg::CResultDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("External dependencies"));
    const QFont font = FittingFont(parent);
    setFont(font);
    const DialogUnits units(font);
    setFixedSize(units.Size(328, 279));

    AddLabel(this, tr(ReaderMessages::kExternalVariablesUsed), units.Rect(7, 7, 117, 8));
    variableList = AddList(this, QStringLiteral("variableList"), units.Rect(7, 16, 149, 179));
    AddLabel(this, tr(ReaderMessages::kExternalFunctionsUsed), units.Rect(171, 7, 117, 8));
    functionList = AddList(this, QStringLiteral("functionList"), units.Rect(172, 16, 149, 179));
    AddLabel(this, tr("Error message:"), units.Rect(7, 202, 117, 8));

    messageEdit = new QPlainTextEdit(this);
    messageEdit->setObjectName(QStringLiteral("messageEdit"));
    messageEdit->setGeometry(units.Rect(7, 211, 314, 41));
    // The box only shows the message: Tab goes on to the buttons and Enter reaches OK.
    messageEdit->setReadOnly(true);
    messageEdit->setTabChangesFocus(true);

    okButton = AddButton(this, QStringLiteral("okButton"), tr("OK"), units.Rect(110, 258, 50, 14));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    quitButton = AddButton(this, QStringLiteral("quitButton"), tr("Quit"), units.Rect(168, 258, 50, 14));
    connect(quitButton, &QPushButton::clicked, this, &QDialog::reject);
}

void CResultDlg::SetMessage(const QString& text) { message = text; }

void CResultDlg::SetNames(const QStringList& variables, const QStringList& functions) {
    externalVariables = variables;
    externalFunctions = functions;
}

int CResultDlg::DoModal() {
    OnInitDialog();
    return exec();
}

void CResultDlg::OnInitDialog() {
    messageEdit->setPlainText(message);
    variableList->clear();
    variableList->addItems(externalVariables);
    functionList->clear();
    functionList->addItems(externalFunctions);
    okButton->setFocus();
}
