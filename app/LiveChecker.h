#pragma once
#include <QObject>
#include <QTimer>
#include <memory>

#include "Validation.h"

class CTarvelView;
class TextBytesCollector;

/// Checking while typing: a short pause after an edit validates the text in the
/// background; the first error is marked in the view and the names are announced.
class LiveChecker : public QObject {
    Q_OBJECT

public:
    /// Checks the text of view; on or off as the user left it last time.
    explicit LiveChecker(CTarvelView* view);

    /// True while edits are checked.
    bool IsEnabled() const;
    /// Turns checking on (checking the text at once) or off (dropping any check underway).
    void SetEnabled(bool enabled);
    /// The pause after the last edit before a check starts.
    void SetDelay(int milliseconds);

signals:
    /// A check of the current text finished.
    void Checked(std::shared_ptr<const ValidationResult> result);

private:
    /// An edit makes any check underway stale and restarts the pause.
    void OnEdited();
    /// Starts taking the current text out of the view.
    void Start();
    /// Hands the text taken out to the worker.
    void OnCollected(const QByteArray& bytes);
    /// Shows a current outcome.
    void OnFinished(std::shared_ptr<const ValidationResult> result);

    CTarvelView* view;
    TextBytesCollector* collector;
    QTimer pause;
    bool enabled = true;
};
