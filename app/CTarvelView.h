#pragma once
#include <QPlainTextEdit>
#include <memory>

#include "Validation.h"

class CTarvelDoc;
class LineNumberArea;
class QPrinter;
class ScriptHighlighter;
class ValidationService;

/// The editor: the document's text in a code view (line numbers, highlighting, the marked
/// error), the Validate command and printing.
class CTarvelView : public QPlainTextEdit {
    Q_OBJECT

public:
    /// A view of document printing on printer; both must outlive it.
    CTarvelView(CTarvelDoc* document, QPrinter* printer, QWidget* parent);

    /// The text with every line break as '\n', every other character as typed.
    QString EditorText() const;
    /// The text as the engine reads it: the document's encoding, lines ending in CR LF.
    QByteArray EngineBytes() const;
    /// Replaces the text, starting a fresh undo history, unmodified.
    void SetEditorText(const QString& text);
    /// Where every validation runs.
    ValidationService* Validator() const;

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

    /// Marks the error of result (the run's, else the load's) and, when moveCaret, puts the
    /// caret on it; a result without one clears the mark.
    void ShowOutcome(const ValidationResult& result, bool moveCaret);
    /// Removes the error mark and its status-bar line.
    void ClearErrorMark();
    /// The 1-based line of the marked error, 0 when none is marked.
    int MarkedLine() const;
    /// Puts the caret on the 1-based line and byte column (in the engine's bytes), in view.
    void GoTo(int line, int byteColumn);

    /// Font size steps from the desktop's fixed-width font, kept across sessions.
    int ZoomSteps() const;
    /// Larger text by one step.
    void ZoomIn();
    /// Smaller text by one step.
    void ZoomOut();
    /// The desktop's own size.
    void ResetZoom();

    /// Width of the gutter for the current number of lines.
    int LineNumberAreaWidth() const;
    /// Paints the gutter's visible part.
    void LineNumberAreaPaintEvent(QPaintEvent* event);
    /// The error message when the gutter line at y carries the marker, else empty.
    QString ErrorTipAt(int y) const;

signals:
    /// A message for the status bar; empty returns it to its idle prompt.
    void StatusMessage(const QString& text);
    /// The program is about to end without asking about unsaved changes.
    void ForcedExit();
    /// The Validate command finished with result.
    void Validated(std::shared_ptr<const ValidationResult> result);
    /// The text was edited (not merely re-coloured).
    void Edited();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    /// Width of the gutter for a text of the given number of lines.
    int GutterWidth(int lines) const;
    /// Gutter geometry and repaint follow the text and the scrolling.
    void UpdateLineNumberAreaWidth();
    void UpdateLineNumberArea(const QRect& rect, int dy);
    /// Current line, error line and matching brackets.
    void UpdateExtraSelections();
    /// An edit, told apart from re-colouring by the document's revision.
    void OnContentsChange();
    /// The fixed-width font at the zoom level.
    void ApplyZoom(int steps);
    /// Enter: a new line indented like the current one.
    void InsertIndentedNewline();

    CTarvelDoc* doc;
    QPrinter* printer;
    LineNumberArea* lineNumberArea;
    ScriptHighlighter* highlighter;
    ValidationService* validator;
    int zoomSteps = 0;
    int lastRevision = 0;
    bool validating = false;

    /// The marked error: its block, the message its marker shows.
    int errorBlock = -1;
    QString errorMessage;
};
