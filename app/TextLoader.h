#pragma once
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

class QPlainTextEdit;

/// Puts a large text into a text view a slice at a time between other events: the top of a
/// file shows at once and the window goes on answering while the rest comes in. The view is
/// read-only meanwhile, and its document neither modified nor undoable by the loading.
class TextLoader : public QObject {
    Q_OBJECT

public:
    /// Loads into view; while holdBack() is true no slice is added, so that other work
    /// running at the same time gets the processor first.
    TextLoader(QPlainTextEdit* view, std::function<bool()> holdBack);

    /// Starts appending text from from on, where the view's text ends with text's first
    /// from characters; from is a line break of text or its end.
    void Start(const QString& text, qsizetype from);
    /// Appends everything still to come at once.
    void Finish();
    /// Drops whatever is still to come, as when another text takes the view's place.
    void Stop();
    /// True while part of the text is still to come.
    bool IsLoading() const;
    /// The length of a slice in characters; the default fits a pass of the event loop.
    void SetSliceLength(qsizetype characters);

signals:
    /// The whole text is in the view.
    void Finished();

private:
    /// Appends the text from the current position up to end.
    void Append(qsizetype end);
    /// Appends the next slice, or waits while held back.
    void AppendSlice();
    /// Undo and editing come back once the text is whole.
    void Complete();

    QPlainTextEdit* view;
    std::function<bool()> holdBack;
    QTimer timer;
    QString text;
    qsizetype from = 0;
    qsizetype sliceLength;
    bool wasReadOnly = false;
};
