#include "CResultDlg.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "DialogUnits.h"

namespace {

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

}  // namespace

CResultDlg::CResultDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("External dependencies"));
    QFont font(QStringLiteral("Courier New"), 12);
    // Where Courier New is missing any fixed-pitch font will do.
    font.setStyleHint(QFont::TypeWriter);
    setFont(font);
    const DialogUnits units(font);
    setFixedSize(units.Size(328, 279));

    AddLabel(this, tr("external variables used:"), units.Rect(7, 7, 117, 8));
    variableList = AddList(this, QStringLiteral("variableList"), units.Rect(7, 16, 149, 179));
    AddLabel(this, tr("external functions used:"), units.Rect(171, 7, 117, 8));
    functionList = AddList(this, QStringLiteral("functionList"), units.Rect(172, 16, 149, 179));
    AddLabel(this, tr("Error message:"), units.Rect(7, 202, 117, 8));

    messageEdit = new QPlainTextEdit(this);
    messageEdit->setObjectName(QStringLiteral("messageEdit"));
    messageEdit->setGeometry(units.Rect(7, 211, 314, 41));

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
