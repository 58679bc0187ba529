#pragma once
#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

/// Find and Replace over the editor, a tool window that stays open while the user edits.
class FindReplaceDialog : public QDialog {
    Q_OBJECT

public:
    /// Searches editor; parent is the window it belongs to.
    FindReplaceDialog(QPlainTextEdit* editor, QWidget* parent);

    /// Shows the dialog for finding only, or for replacing too, seeded with the selection.
    void Open(bool replacing);
    /// The text to look for.
    void SetFindText(const QString& text);
    /// The text to put in its place.
    void SetReplaceText(const QString& text);
    /// Selects the next (or previous) occurrence, wrapping around; false when there is none.
    bool FindNext(bool backward = false);
    /// Replaces the selected occurrence, then selects the next one.
    bool ReplaceOne();
    /// Replaces every occurrence as one undo step; how many there were.
    int ReplaceAll();

signals:
    /// A line for the status bar about the last search.
    void StatusMessage(const QString& text);

private:
    /// True when the selection is an occurrence of the find text.
    bool SelectionMatches() const;

    QPlainTextEdit* editor;
    QLineEdit* findEdit;
    QLabel* replaceLabel;
    QLineEdit* replaceEdit;
    QCheckBox* matchCase;
    QPushButton* findNextButton;
    QPushButton* replaceButton;
    QPushButton* replaceAllButton;
};
