#include "FindReplaceDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>

FindReplaceDialog::FindReplaceDialog(QPlainTextEdit* editor, QWidget* parent) : QDialog(parent), editor(editor) {
    setObjectName(QStringLiteral("findReplaceDialog"));
    findEdit = new QLineEdit(this);
    findEdit->setObjectName(QStringLiteral("findEdit"));
    replaceEdit = new QLineEdit(this);
    replaceEdit->setObjectName(QStringLiteral("replaceEdit"));
    replaceLabel = new QLabel(tr("Re&place with:"), this);
    replaceLabel->setBuddy(replaceEdit);
    auto* findLabel = new QLabel(tr("Fi&nd what:"), this);
    findLabel->setBuddy(findEdit);
    matchCase = new QCheckBox(tr("Match &case"), this);

    findNextButton = new QPushButton(tr("&Find Next"), this);
    findNextButton->setDefault(true);
    connect(findNextButton, &QPushButton::clicked, this, [this] { FindNext(); });
    replaceButton = new QPushButton(tr("&Replace"), this);
    connect(replaceButton, &QPushButton::clicked, this, &FindReplaceDialog::ReplaceOne);
    replaceAllButton = new QPushButton(tr("Replace &All"), this);
    connect(replaceAllButton, &QPushButton::clicked, this, &FindReplaceDialog::ReplaceAll);
    auto* closeButton = new QPushButton(tr("Close"), this);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QGridLayout(this);
    layout->addWidget(findLabel, 0, 0);
    layout->addWidget(findEdit, 0, 1);
    layout->addWidget(findNextButton, 0, 2);
    layout->addWidget(replaceLabel, 1, 0);
    layout->addWidget(replaceEdit, 1, 1);
    layout->addWidget(replaceButton, 1, 2);
    layout->addWidget(matchCase, 2, 0, 1, 2);
    layout->addWidget(replaceAllButton, 2, 2);
    layout->addWidget(closeButton, 3, 2);
}

void FindReplaceDialog::Open(bool replacing) {
    setWindowTitle(replacing ? tr("Replace") : tr("Find"));
    for (QWidget* part : std::initializer_list<QWidget*>{replaceLabel, replaceEdit, replaceButton, replaceAllButton}) {
        part->setVisible(replacing);
    }
    const QString selected = editor->textCursor().selectedText();
    // A selection over several lines is meant to be worked on, not searched for.
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator)) findEdit->setText(selected);
    show();
    raise();
    activateWindow();
    findEdit->setFocus();
    findEdit->selectAll();
}

void FindReplaceDialog::SetFindText(const QString& text) { findEdit->setText(text); }

void FindReplaceDialog::SetReplaceText(const QString& text) { replaceEdit->setText(text); }

bool FindReplaceDialog::FindNext(bool backward) {
    const QString text = findEdit->text();
    if (text.isEmpty()) return false;
    QTextDocument::FindFlags flags;
    if (backward) flags |= QTextDocument::FindBackward;
    if (matchCase->isChecked()) flags |= QTextDocument::FindCaseSensitively;
    const QTextDocument* document = editor->document();
    QTextCursor found = document->find(text, editor->textCursor(), flags);
    if (found.isNull()) {
        QTextCursor wrapped(editor->document());
        if (backward) wrapped.movePosition(QTextCursor::End);
        found = document->find(text, wrapped, flags);
    }
    if (found.isNull()) {
        emit StatusMessage(tr("Cannot find \"%1\"").arg(text));
        return false;
    }
    editor->setTextCursor(found);
    emit StatusMessage(tr("Found \"%1\" on line %2").arg(text).arg(found.blockNumber() + 1));
    return true;
}

bool FindReplaceDialog::SelectionMatches() const {
    const Qt::CaseSensitivity sensitivity = matchCase->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const QString selected = editor->textCursor().selectedText();
    return !selected.isEmpty() && selected.compare(findEdit->text(), sensitivity) == 0;
}

bool FindReplaceDialog::ReplaceOne() {
    if (SelectionMatches()) {
        QTextCursor cursor = editor->textCursor();
        cursor.insertText(replaceEdit->text());
        editor->setTextCursor(cursor);
    }
    return FindNext();
}

int FindReplaceDialog::ReplaceAll() {
    const QString text = findEdit->text();
    if (text.isEmpty()) return 0;
    QTextDocument::FindFlags flags;
    if (matchCase->isChecked()) flags |= QTextDocument::FindCaseSensitively;
    QTextCursor edit(editor->document());
    edit.beginEditBlock();
    int count = 0;
    // Inserting through the cursor keeps every other character, line breaks included, as it is.
    for (QTextCursor found = editor->document()->find(text, 0, flags); !found.isNull();
         found = editor->document()->find(text, found, flags)) {
        found.insertText(replaceEdit->text());
        ++count;
    }
    edit.endEditBlock();
    emit StatusMessage(tr("Replaced %n occurrence(s)", nullptr, count));
    return count;
}
