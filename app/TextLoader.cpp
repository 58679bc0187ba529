#include "TextLoader.h"

#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>

namespace {

// About 5,000 lines of a script: some 20 ms of laying in on a busy machine, short enough
// that a dialog shown meanwhile does not feel slow to react, long enough that the passes of
// the event loop in between cost little.
constexpr qsizetype kSliceLength = 128 * 1024;
// How often to look again while held back, rather than spinning the event loop.
constexpr int kHeldBackMs = 10;

}  // namespace

TextLoader::TextLoader(QPlainTextEdit* view, std::function<bool()> holdBack)
    : QObject(view), view(view), holdBack(std::move(holdBack)), sliceLength(kSliceLength) {
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &TextLoader::AppendSlice);
}

void TextLoader::Start(const QString& wholeText, qsizetype start) {
    Stop();
    if (start >= wholeText.size()) return;
    text = wholeText;
    from = start;
    wasReadOnly = view->isReadOnly();
    view->setReadOnly(true);
    // The loading is not an edit the user could take back, nor one that needs saving.
    view->document()->setUndoRedoEnabled(false);
    timer.start(0);
}

void TextLoader::Finish() {
    if (!IsLoading()) return;
    Append(text.size());
    Complete();
}

void TextLoader::Stop() {
    if (!IsLoading()) return;
    timer.stop();
    text = QString();
    from = 0;
    view->setReadOnly(wasReadOnly);
    view->document()->setUndoRedoEnabled(true);
}

bool TextLoader::IsLoading() const { return !text.isNull(); }

void TextLoader::SetSliceLength(qsizetype characters) { sliceLength = std::max<qsizetype>(1, characters); }

void TextLoader::AppendSlice() {
    if (holdBack && holdBack()) {
        timer.start(kHeldBackMs);
        return;
    }
    // Slices end at a line break, so that each one starts a line of its own.
    qsizetype end = text.indexOf(u'\n', std::min(from + sliceLength, text.size()));
    if (end < 0) end = text.size();
    Append(end);
    if (from < text.size()) {
        timer.start(0);
        return;
    }
    Complete();
}

void TextLoader::Append(qsizetype end) {
    if (end <= from) return;
    QTextDocument* document = view->document();
    {
        // Nobody but the view's layout needs to hear of text that was there all along: not
        // the modified flag, the title, the checking while typing or the recovery copies.
        const QSignalBlocker quiet(document);
        QTextCursor cursor(document);
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(text.mid(from, end - from));
        document->setModified(false);
    }
    from = end;
}

void TextLoader::Complete() {
    timer.stop();
    text = QString();
    from = 0;
    view->setReadOnly(wasReadOnly);
    view->document()->setUndoRedoEnabled(true);
    emit Finished();
}
