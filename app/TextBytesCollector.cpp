#include "TextBytesCollector.h"

#include <QTextCursor>
#include <QTextDocument>

namespace {

// A few milliseconds of copying and encoding on a busy machine, well inside the time a
// keystroke may wait.
constexpr int kSliceLength = 64 * 1024;

}  // namespace

TextBytesCollector::TextBytesCollector(QObject* parent) : QObject(parent), sliceLength(kSliceLength) {
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &TextBytesCollector::CollectSlice);
}

void TextBytesCollector::Start(QTextDocument* source, TextFormat bytesFormat) {
    Stop();
    document = source;
    format = bytesFormat;
    revision = source->revision();
    position = 0;
    // The last block's separator is the document's own, not a line break of the text.
    end = source->characterCount() - 1;
    bytes.reserve(static_cast<qsizetype>(end) + source->blockCount());
    timer.start(0);
}

void TextBytesCollector::Stop() {
    timer.stop();
    document = nullptr;
    bytes = QByteArray();
}

bool TextBytesCollector::IsCollecting() const { return timer.isActive(); }

void TextBytesCollector::SetSliceLength(int characters) { sliceLength = std::max(1, characters); }

void TextBytesCollector::CollectSlice() {
    if (!document || document->revision() != revision) {
        Stop();
        emit Abandoned();
        return;
    }
    if (position < end) {
        int to = end - position > sliceLength ? position + sliceLength : end;
        // Both halves of a character beyond the basic plane go into one slice, or neither
        // half would encode.
        if (to < end && document->characterAt(to - 1).isHighSurrogate()) ++to;
        QTextCursor cursor(document);
        cursor.setPosition(position);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        // The selection marks line breaks as paragraph separators, as the raw text does.
        QString slice = cursor.selectedText();
        slice.replace(QChar::ParagraphSeparator, u'\n');
        bytes += EncodeText(slice, format.encoding, format.lineBreak);
        position = to;
    }
    if (position < end) {
        timer.start(0);
        return;
    }
    const QByteArray whole = std::move(bytes);
    Stop();
    emit Collected(whole);
}
