#pragma once
#include <QObject>

class QLabel;

/// Lights CAP, NUM and SCRL while their lock is on. Qt cannot ask for the lock states, but
/// every key event on X11 carries them in its native modifiers.
class LockKeyIndicators : public QObject {
    Q_OBJECT

public:
    /// Where the lock states come from.
    enum class Source {
        KeyStates,  ///< each key event carries the X11 state bits
        Unknown     ///< no key event tells them: CAP and NUM stay unlit
    };

    /// Watches the keys of the whole application and lights the three labels.
    LockKeyIndicators(QLabel* caps, QLabel* num, QLabel* scroll, QObject* parent);
    /// The same, with the states read from source rather than from the platform's kind.
    LockKeyIndicators(QLabel* caps, QLabel* num, QLabel* scroll, Source source, QObject* parent);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* caps;
    QLabel* num;
    QLabel* scroll;
    Source source;
    const QEvent* lastEvent = nullptr;
    quint64 lastTimestamp = 0;
};
