#include "CTarvelView.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QSettings>
#include <QTextBlock>
#include <climits>
#include <cstdlib>
#include <utility>

#include "BracketMatch.h"
#include "CResultDlg.h"
#include "CTarvelDoc.h"
#include "CodeViewLayout.h"
#include "LineNumberArea.h"
#include "MessageBoxHost.h"
#include "ScriptHighlighter.h"
#include "TextLoader.h"
#include "TextPosition.h"
#include "ValidationService.h"

namespace {

// Colouring a larger text up front would hold up opening it by seconds; such files are
// generated rather than written by hand anyway.
constexpr qsizetype kHighlightLimit = 2 * 1024 * 1024;
// Texts larger than this show their top first, while the rest follows slice by slice. The view
// takes about 4 microseconds a line, so a 1 MiB script in one piece would hold its result
// dialog back some 300 ms behind an engine that needs 50.
constexpr qsizetype kLoadInSlicesFrom = 256 * 1024;
// The top shown at once: a few screens.
constexpr qsizetype kFirstSliceLength = 16 * 1024;
constexpr int kTabColumns = 4;
constexpr int kMinimumPointSize = 4;
const QString kZoomKey = QStringLiteral("editor/zoom");

// Names hold only the characters 32 to 127, so Latin-1 reads them exactly.
QStringList NameList(const std::vector<ExternalName>& names) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(names.size()));
    for (const ExternalName& name : names) {
        list.append(QString::fromLatin1(name.name.data(), static_cast<qsizetype>(name.name.size())));
    }
    return list;
}

QColor Blend(const QColor& a, const QColor& b, qreal share) {
    return QColor::fromRgbF(a.redF() * (1 - share) + b.redF() * share, a.greenF() * (1 - share) + b.greenF() * share,
                            a.blueF() * (1 - share) + b.blueF() * share);
}

// Red that reads on either theme: mixed into the background rather than painted over it.
QColor ErrorColour(const QPalette& palette, qreal share) {
    return Blend(palette.color(QPalette::Base), QColor(220, 40, 40), share);
}

}  // namespace

CTarvelView::CTarvelView(CTarvelDoc* owner, QPrinter* printer, QWidget* parent)
    : QPlainTextEdit(parent),
      doc(owner),
      printer(printer),
      lineNumberArea(new LineNumberArea(this)),
      highlighter(new ScriptHighlighter(nullptr)),
      validator(new ValidationService(this)),
      // The rest of a file waits for the validation of the file: run side by side on a busy
      // machine, each would take longer than both one after the other.
      loader(new TextLoader(this, [this] { return !validator->IsIdle(); })) {
    // A layout of the view's own needs a document of its own, in place before anything below
    // connects to the view's document.
    auto* text = new QTextDocument(this);
    text->setDocumentLayout(new CodeViewLayout(text));
    setDocument(text);
    highlighter->setParent(this);
    // Long lines wrap instead of scrolling sideways.
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Files dropped on the editor open as documents instead of being pasted as text; the
    // main window takes the drop.
    setAcceptDrops(false);
    viewport()->setAcceptDrops(false);

    ApplyZoom(QSettings().value(kZoomKey, 0).toInt());
    connect(this, &QPlainTextEdit::blockCountChanged, this, &CTarvelView::UpdateLineNumberAreaWidth);
    connect(this, &QPlainTextEdit::updateRequest, this, &CTarvelView::UpdateLineNumberArea);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &CTarvelView::UpdateExtraSelections);
    connect(document(), &QTextDocument::contentsChange, this, &CTarvelView::OnContentsChange);
    connect(loader, &TextLoader::Finished, this, &CTarvelView::OnLoaded);
    UpdateLineNumberAreaWidth();
    UpdateExtraSelections();
}

QString CTarvelView::EditorText() {
    FinishLoading();
    // toPlainText would turn non-breaking spaces into spaces, which a Latin-1 file must
    // get back unchanged; the raw text only marks line breaks as paragraph separators.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

QByteArray CTarvelView::EngineBytes() {
    return EncodeText(EditorText(), doc->Format().encoding, TextFormat::LineBreak::CrLf);
}

void CTarvelView::SetEditorText(const QString& text) {
    fileValidationStarted = false;
    validator->DropStartedCommand();
    ReplaceText(text, false);
}

void CTarvelView::StartFileValidation(const QByteArray& engineBytes) {
    // The engine takes its time over a large file, and so does laying out its lines; the
    // engine starts on the file at once, and the text comes into the view meanwhile.
    validator->StartCommand(engineBytes, std::make_shared<MessageBoxHost>([this] { return doc->Format().encoding; }));
    fileValidationStarted = true;
}

void CTarvelView::LoadFileText(const QString& text) {
    // Only a run started for this very file may stand; any other checks another text.
    const bool started = std::exchange(fileValidationStarted, false) && validator->IsCommandRunning();
    if (!started) validator->DropStartedCommand();
    // The Validate command that follows completes the text in any case, before the user can
    // reach it: until then the result dialog is up, or a progress dialog.
    ReplaceText(text, started);
}

bool CTarvelView::IsLoading() const { return loader->IsLoading(); }

void CTarvelView::FinishLoading() { loader->Finish(); }

void CTarvelView::ReplaceText(const QString& text, bool inSlices) {
    loader->Stop();
    ClearErrorMark();
    // Taking the colours off the old text counts as an edit of it, as does the new text;
    // neither is the user's.
    replacingText = true;
    highlighter->setDocument(nullptr);
    // A new width of the text area lays out every line anew, and both the gutter and the
    // scroll bar take width from it as the lines arrive. With the old text gone, both take
    // their room for the new text first, so that a large file is laid out once, not twice.
    setPlainText(QString());
    const int lines = static_cast<int>(std::min<qsizetype>(text.count(u'\n') + 1, INT_MAX));
    loadingLines = lines;
    setViewportMargins(GutterWidth(lines), 0, 0, 0);
    const bool overflows = static_cast<qint64>(lines) * fontMetrics().lineSpacing() > viewport()->height();
    if (overflows) setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    qsizetype first = text.size();
    if (inSlices && text.size() > kLoadInSlicesFrom) {
        first = text.indexOf(u'\n', kFirstSliceLength);
        if (first < 0) first = text.size();
    }
    setPlainText(first < text.size() ? text.left(first) : text);
    if (text.size() <= kHighlightLimit) highlighter->setDocument(document());
    document()->setModified(false);
    replacingText = false;
    if (first < text.size()) loader->Start(text, first);
    else OnLoaded();
}

void CTarvelView::OnLoaded() {
    loadingLines = 0;
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    UpdateLineNumberAreaWidth();
    lastRevision = document()->revision();
}

TextFormat::Encoding CTarvelView::Encoding() const { return doc->Format().encoding; }

ValidationService* CTarvelView::Validator() const { return validator; }

void CTarvelView::OnUpdate() {
    if (doc->validateAfterLoad) OnValidate();
}

void CTarvelView::OnValidate() {
    // The run keeps the event loop going; a second press meanwhile has nothing to add.
    if (validating) return;
    validating = true;
    const TextFormat::Encoding encoding = doc->Format().encoding;
    doc->validateAfterLoad = 0;
    ClearErrorMark();
    validator->DiscardLive();
    // A file just opened is being validated from its own bytes already, unless it was edited.
    const std::shared_ptr<const ValidationResult> result =
        validator->IsCommandRunning()
            ? validator->AwaitCommand(window())
            : validator->RunModal(EngineBytes(), std::make_shared<MessageBoxHost>([encoding] { return encoding; }),
                                  window());
    validating = false;
    if (!result) {
        FinishLoading();
        emit StatusMessage(tr("Validation cancelled"));
        return;
    }
    if (result->load == LoadOutcome::Declined) {
        emit ForcedExit();
        std::exit(1);
    }

    CResultDlg dialog(window());
    dialog.SetMessage(DecodeMessage(result->message.c_str(), encoding));
    dialog.SetNames(NameList(result->externalVariables), NameList(result->externalFunctions));
    // Leaving the dialog other than by OK ends the program on the spot: no save question,
    // no orderly shutdown.
    if (dialog.DoModal() != QDialog::Accepted) {
        emit ForcedExit();
        std::exit(0);
    }
    ShowOutcome(*result, true);
    emit Validated(result);
}

void CTarvelView::ShowOutcome(const ValidationResult& result, bool moveCaret) {
    FinishLoading();
    const std::optional<Diagnostic>& error = result.error ? result.error : result.loadError;
    if (!error) {
        ClearErrorMark();
        return;
    }
    const QTextBlock block = document()->findBlockByNumber(error->line - 1);
    if (!block.isValid()) {
        ClearErrorMark();
        return;
    }
    errorBlock = block.blockNumber();
    errorMessage = DecodeMessage(error->message.c_str(), doc->Format().encoding);
    if (moveCaret) GoTo(error->line, error->column);
    UpdateExtraSelections();
    lineNumberArea->update();
    emit StatusMessage(tr("Line %1: %2").arg(error->line).arg(errorMessage));
}

void CTarvelView::ClearErrorMark() {
    if (errorBlock < 0) return;
    errorBlock = -1;
    errorMessage.clear();
    UpdateExtraSelections();
    lineNumberArea->update();
    emit StatusMessage(QString());
}

int CTarvelView::MarkedLine() const { return errorBlock + 1; }

void CTarvelView::GoTo(int line, int byteColumn) {
    FinishLoading();
    const QTextBlock block = document()->findBlockByNumber(std::max(line, 1) - 1);
    if (!block.isValid()) return;
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + ColumnToIndex(block.text(), byteColumn, doc->Format().encoding));
    setTextCursor(cursor);
    centerCursor();
    setFocus();
}

int CTarvelView::ZoomSteps() const { return zoomSteps; }

void CTarvelView::ZoomIn() { ApplyZoom(zoomSteps + 1); }

void CTarvelView::ZoomOut() { ApplyZoom(zoomSteps - 1); }

void CTarvelView::ResetZoom() { ApplyZoom(0); }

void CTarvelView::ApplyZoom(int steps) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const qreal base = font.pointSizeF() > 0 ? font.pointSizeF() : 10;
    steps = std::clamp(steps, static_cast<int>(kMinimumPointSize - base), 40);
    font.setPointSizeF(base + steps);
    setFont(font);
    setTabStopDistance(QFontMetricsF(font).horizontalAdvance(u' ') * kTabColumns);
    if (steps != zoomSteps) QSettings().setValue(kZoomKey, steps);
    zoomSteps = steps;
    UpdateLineNumberAreaWidth();
}

int CTarvelView::LineNumberAreaWidth() const { return GutterWidth(std::max(blockCount(), loadingLines)); }

int CTarvelView::GutterWidth(int lines) const {
    int digits = 1;
    for (lines = std::max(1, lines); lines >= 10; lines /= 10) ++digits;
    // Room for the error marker left of the numbers.
    return fontMetrics().height() + fontMetrics().horizontalAdvance(u'9') * digits + 6;
}

void CTarvelView::UpdateLineNumberAreaWidth() { setViewportMargins(LineNumberAreaWidth(), 0, 0, 0); }

void CTarvelView::UpdateLineNumberArea(const QRect& rect, int dy) {
    if (dy != 0) lineNumberArea->scroll(0, dy);
    else lineNumberArea->update(0, rect.y(), lineNumberArea->width(), rect.height());
    if (rect.contains(viewport()->rect())) UpdateLineNumberAreaWidth();
}

void CTarvelView::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    lineNumberArea->setGeometry(QRect(area.left(), area.top(), LineNumberAreaWidth(), area.height()));
}

void CTarvelView::LineNumberAreaPaintEvent(QPaintEvent* event) {
    QPainter painter(lineNumberArea);
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    const int markerSize = fontMetrics().height();
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    int bottom = top + qRound(blockBoundingRect(block).height());
    const int current = textCursor().blockNumber();
    while (block.isValid() && top <= event->rect().bottom()) {
        if (block.isVisible() && bottom >= event->rect().top()) {
            if (block.blockNumber() == errorBlock) {
                painter.setRenderHint(QPainter::Antialiasing);
                painter.setPen(Qt::NoPen);
                painter.setBrush(ErrorColour(palette(), 0.85));
                painter.drawEllipse(QRectF(3, top + 2, markerSize - 4, markerSize - 4));
            }
            painter.setPen(
                palette().color(block.blockNumber() == current ? QPalette::WindowText : QPalette::PlaceholderText));
            painter.drawText(markerSize, top, lineNumberArea->width() - markerSize - 3, fontMetrics().height(),
                             Qt::AlignRight, QString::number(block.blockNumber() + 1));
        }
        block = block.next();
        top = bottom;
        bottom = top + qRound(blockBoundingRect(block).height());
    }
}

QString CTarvelView::ErrorTipAt(int y) const {
    if (errorBlock < 0) return {};
    const QTextBlock block = document()->findBlockByNumber(errorBlock);
    const QRectF area = blockBoundingGeometry(block).translated(contentOffset());
    return area.top() <= y && y < area.bottom() ? errorMessage : QString();
}

void CTarvelView::UpdateExtraSelections() {
    QList<QTextEdit::ExtraSelection> selections;
    QTextEdit::ExtraSelection line;
    line.format.setBackground(Blend(palette().color(QPalette::Base), palette().color(QPalette::Highlight), 0.12));
    line.format.setProperty(QTextFormat::FullWidthSelection, true);
    line.cursor = textCursor();
    line.cursor.clearSelection();
    selections.append(line);

    if (errorBlock >= 0) {
        QTextEdit::ExtraSelection error;
        error.format.setBackground(ErrorColour(palette(), 0.25));
        error.format.setProperty(QTextFormat::FullWidthSelection, true);
        error.cursor = QTextCursor(document()->findBlockByNumber(errorBlock));
        selections.append(error);
    }

    // The bracket after the caret, else the one before it, and its partner.
    const int position = textCursor().position();
    for (int at : {position, position - 1}) {
        const int partner = at >= 0 ? MatchingBracket(document(), at) : -1;
        if (partner < 0) continue;
        for (int end : {at, partner}) {
            QTextEdit::ExtraSelection bracket;
            bracket.format.setBackground(
                Blend(palette().color(QPalette::Base), palette().color(QPalette::Highlight), 0.35));
            bracket.format.setFontWeight(QFont::Bold);
            bracket.cursor = QTextCursor(document());
            bracket.cursor.setPosition(end);
            bracket.cursor.setPosition(end + 1, QTextCursor::KeepAnchor);
            selections.append(bracket);
        }
        break;
    }
    setExtraSelections(selections);
}

void CTarvelView::OnContentsChange() {
    // Re-colouring reports a change of contents too, without a new revision.
    if (replacingText || document()->revision() == lastRevision) return;
    lastRevision = document()->revision();
    ClearErrorMark();
    // A Validate command run started for the text as it was would report on text that is gone.
    validator->DropStartedCommand();
    emit Edited();
}

void CTarvelView::keyPressEvent(QKeyEvent* event) {
    // Keys work on the whole text, never on the part of it that came in so far.
    FinishLoading();
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !(event->modifiers() & ~Qt::KeypadModifier) && !isReadOnly()) {
        InsertIndentedNewline();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CTarvelView::InsertIndentedNewline() {
    QTextCursor cursor = textCursor();
    const QString text = cursor.block().text();
    qsizetype indent = 0;
    while (indent < text.size() && (text[indent] == u' ' || text[indent] == u'\t')) ++indent;
    // A break inside the indentation itself must not grow it.
    indent = std::min<qsizetype>(indent, cursor.positionInBlock());
    cursor.insertText(u'\n' + text.left(indent));
    setTextCursor(cursor);
    ensureCursorVisible();
}

void CTarvelView::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        const int delta = event->angleDelta().y();
        if (delta > 0) ZoomIn();
        else if (delta < 0) ZoomOut();
        event->accept();
        return;
    }
    QPlainTextEdit::wheelEvent(event);
}

void CTarvelView::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        highlighter->SetPalette(palette());
        UpdateExtraSelections();
    }
}

void CTarvelView::OnFilePrint() {
    QPrintDialog dialog(printer, window());
    if (dialog.exec() == QDialog::Accepted) PrintTo(printer);
}

void CTarvelView::OnFilePrintPreview() {
    QPrintPreviewDialog preview(printer, window());
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, &CTarvelView::PrintTo);
    preview.exec();
}

void CTarvelView::PrintTo(QPrinter* target) {
    FinishLoading();
    target->setDocName(doc->GetTitle());
    print(target);
}
