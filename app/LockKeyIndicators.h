#pragma once
#include <QObject>

class QLabel;

/// Lights CAP, NUM and SCRL while their lock is on. Qt cannot ask for the lock states, but
/// every key event on X11 carries them in its native modifiers.
class LockKeyIndicators : public QObject {
    Q_OBJECT

public:
    /// Watches the keys of the whole application and lights the three labels.
    LockKeyIndicators(QLabel* caps, QLabel* num, QLabel* scroll, QObject* parent);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* caps;
    QLabel* num;
    QLabel* scroll;
    const QEvent* lastEvent = nullptr;
    quint64 lastTimestamp = 0;
};
