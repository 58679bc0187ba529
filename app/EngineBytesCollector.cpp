#include "EngineBytesCollector.h"

#include <QTextCursor>
#include <QTextDocument>

namespace {

// A few milliseconds of copying and encoding on a busy machine, well inside the time a
// keystroke may wait.
constexpr int kSliceLength = 64 * 1024;

}  // namespace

EngineBytesCollector::EngineBytesCollector(QObject* parent) : QObject(parent), sliceLength(kSliceLength) {
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &EngineBytesCollector::CollectSlice);
}

void EngineBytesCollector::Start(QTextDocument* source, TextFormat::Encoding textEncoding) {
    Stop();
    document = source;
    encoding = textEncoding;
    revision = source->revision();
    position = 0;
    // The last block's separator is the document's own, not a line break of the text.
    end = source->characterCount() - 1;
    bytes.reserve(static_cast<qsizetype>(end) + source->blockCount());
    timer.start(0);
}

void EngineBytesCollector::Stop() {
    timer.stop();
    document = nullptr;
    bytes = QByteArray();
}

bool EngineBytesCollector::IsCollecting() const { return timer.isActive(); }

void EngineBytesCollector::SetSliceLength(int characters) { sliceLength = std::max(1, characters); }

void EngineBytesCollector::CollectSlice() {
    if (!document || document->revision() != revision) {
        Stop();
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
        bytes += EncodeText(slice, encoding, TextFormat::LineBreak::CrLf);
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
