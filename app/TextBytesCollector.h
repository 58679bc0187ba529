#pragma once
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include "DocumentText.h"

class QTextDocument;

/// Takes a document's text out as bytes, a slice at a time between other events, so that
/// taking out a large text never holds up typing. An edit meanwhile abandons it: the text it
/// was taking is gone.
class TextBytesCollector : public QObject {
    Q_OBJECT

public:
    explicit TextBytesCollector(QObject* parent);

    /// Starts taking out document's text in format, abandoning any collection underway.
    void Start(QTextDocument* document, TextFormat format);
    /// Abandons the collection underway, if any.
    void Stop();
    /// True while a collection is underway.
    bool IsCollecting() const;
    /// The length of a slice in characters; the default fits a pass of the event loop.
    void SetSliceLength(int characters);

signals:
    /// The whole text, in the encoding and with the line break asked for.
    void Collected(const QByteArray& bytes);
    /// An edit came while the text was being taken out; nothing will be collected.
    void Abandoned();

private:
    /// Takes out the next slice, or hands over the whole.
    void CollectSlice();

    QPointer<QTextDocument> document;
    TextFormat format;
    int revision = 0;
    int position = 0;
    int end = 0;
    int sliceLength;
    QByteArray bytes;
    QTimer timer;
};
