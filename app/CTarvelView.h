#pragma once
#include <QPlainTextEdit>

class CTarvelDoc;
class QPrinter;

/// The editor: the document's text in a plain-text editor whose long lines wrap, the
/// Validate command and printing.
class CTarvelView : public QPlainTextEdit {
    Q_OBJECT

public:
    /// A view of document printing on printer; both must outlive it.
    CTarvelView(CTarvelDoc* document, QPrinter* printer, QWidget* parent);

    /// The document whose text this view holds.
    CTarvelDoc* GetDocument() const;
    /// The text with every line break as '\n', every other character as typed.
    QString EditorText() const;
    /// Replaces the text, starting a fresh undo history, unmodified.
    void SetEditorText(const QString& text);

    /// After a document was opened or created: validates when the document asks for it.
    void OnUpdate();
    /// Runs the editor text through a fresh engine and shows the result dialog.
    void OnValidate();
    /// File Print: asks for the printer, then prints.
    void OnFilePrint();
    /// File Print Preview.
    void OnFilePrintPreview();
    /// Prints the whole text on printer, wrapped to the page width.
    void PrintTo(QPrinter* printer);

private:
    CTarvelDoc* doc;
    QPrinter* printer;
};
