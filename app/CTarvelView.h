#pragma once
#include <QPlainTextEdit>
#include <memory>

#include "DocumentText.h"
#include "Validation.h"

class CTarvelDoc;
class LineNumberArea;
class QPrinter;
class ScriptHighlighter;
class TextLoader;
class ValidationService;

/// The editor: the document's text in a code view (line numbers, highlighting, the marked
/// error), the Validate command and printing.
class CTarvelView : public QPlainTextEdit {
    Q_OBJECT

public:
    /// A view of document printing on printer; both must outlive it.
    CTarvelView(CTarvelDoc* document, QPrinter* printer, QWidget* parent);

    /// The text with every line break as '\n', every other character as typed.
    QString EditorText();
    /// The text as the engine reads it: the document's encoding, lines ending in CR LF.
    QByteArray EngineBytes();
    /// Replaces the text, starting a fresh undo history, unmodified.
    void SetEditorText(const QString& text);
    /// Starts the validation that opening a file asks for on engineBytes, the file's text as
    /// the engine reads it, before the text is in the view; LoadFileText follows. The next
    /// Validate command takes its answer unless the text changed first.
    void StartFileValidation(const QByteArray& engineBytes);
    /// Replaces the text with a file's, as SetEditorText does. While a file validation runs,
    /// a large text shows its top at once and the rest follows once the validation is done.
    void LoadFileText(const QString& text);
    /// True while part of a file's text is still to come into the view.
    bool IsLoading() const;
    /// Puts the rest of a file's text into the view at once.
    void FinishLoading();
    /// The encoding of the document's text.
    TextFormat::Encoding Encoding() const;
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
    /// Puts text in place of the old one, without a word to anyone that the text was edited;
    /// a large one inSlices after its first.
    void ReplaceText(const QString& text, bool inSlices);
    /// The whole text is in place: the gutter and scroll bar go by the lines there are.
    void OnLoaded();
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
    TextLoader* loader;
    int zoomSteps = 0;
    /// The lines of a text still coming in, whose width the gutter keeps from the start.
    int loadingLines = 0;
    int lastRevision = 0;
    bool validating = false;
    bool replacingText = false;
    bool fileValidationStarted = false;

    /// The marked error: its block, the message its marker shows.
    int errorBlock = -1;
    QString errorMessage;
};
