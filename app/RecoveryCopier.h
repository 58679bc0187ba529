#pragma once
#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <functional>
#include <thread>

class CTarvelDoc;
class CTarvelView;
class TextBytesCollector;

/// The periodic recovery copy: while there are unsaved changes, the text goes aside every
/// period, taken out of the view a slice at a time and written on a thread of its own, so
/// that a large text never holds up typing. An edit while the text is taken out abandons
/// that copy, and a new one is tried after a short pause instead of a whole period.
class RecoveryCopier : public QObject {
    Q_OBJECT

public:
    /// Writes a copy to file: the path of the text's file, the text in UTF-8 with '\n' line
    /// breaks; false when it could not be written. Called on the writing thread.
    using Writer = std::function<bool(const QString& file, const QString& path, const QByteArray& text)>;

    /// Copies the text of document's view every period while it has unsaved changes.
    RecoveryCopier(CTarvelDoc* document, CTarvelView* view);
    /// Waits for the copy being written.
    ~RecoveryCopier() override;

    /// Starts a copy at once, unless one is underway or nothing is unsaved.
    void CopyNow();
    /// Abandons the copy being taken out and waits for the one being written, so that what
    /// the caller writes or removes next is the last word.
    void Stop();
    /// True while a copy is being taken out or written.
    bool IsCopying() const;
    /// The time between two copies.
    void SetInterval(int milliseconds);
    /// The length of a slice in characters.
    void SetSliceLength(int characters);
    /// Replaces the writing of the copy, RecoveryStore::Write unless set.
    void SetWriter(Writer write);

signals:
    /// A periodic copy was written, or could not be.
    void Written(bool ok);

private:
    /// Hands the text taken out to a thread that writes it.
    void OnCollected(const QByteArray& text);
    /// Waits for the thread that writes, if there is one.
    void JoinWriter();

    CTarvelDoc* document;
    CTarvelView* view;
    TextBytesCollector* collector;
    QTimer period;
    QTimer retry;  ///< the copy an edit abandoned, tried again
    Writer writeCopy;
    std::thread writer;
    /// Set while the writer runs; it clears the flag itself when the file is written.
    std::atomic<bool> writing{false};
};
