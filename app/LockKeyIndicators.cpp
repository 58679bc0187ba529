#include "LockKeyIndicators.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>

namespace {

// X11's state bits: Lock is Caps Lock; Num Lock sits on Mod2 in every common keymap.
constexpr quint32 kLockMask = 0x02;
constexpr quint32 kMod2Mask = 0x10;

}  // namespace

LockKeyIndicators::LockKeyIndicators(QLabel* caps, QLabel* num, QLabel* scroll, QObject* parent)
    : LockKeyIndicators(caps, num, scroll,
                        QGuiApplication::platformName() == u"xcb" ? Source::KeyStates : Source::Unknown, parent) {}

LockKeyIndicators::LockKeyIndicators(QLabel* caps, QLabel* num, QLabel* scroll, Source source, QObject* parent)
    : QObject(parent), caps(caps), num(num), scroll(scroll), source(source) {
    qApp->installEventFilter(this);
}

bool LockKeyIndicators::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // A key event passes every widget up to the window; it counts once.
        if (key == lastEvent && key->timestamp() == lastTimestamp) return false;
        lastEvent = key;
        lastTimestamp = key->timestamp();
        const quint32 state = key->nativeModifiers();
        // The state is the one before this key: a lock key's own press is about to flip it.
        bool capsOn = (state & kLockMask) != 0;
        bool numOn = (state & kMod2Mask) != 0;
        if (key->key() == Qt::Key_CapsLock) capsOn = !capsOn;
        if (key->key() == Qt::Key_NumLock) numOn = !numOn;
        // Scroll Lock is no modifier on X11, so it can only be followed by its presses.
        if (key->key() == Qt::Key_ScrollLock) scroll->setEnabled(!scroll->isEnabled());
        if (source == Source::KeyStates) {
            caps->setEnabled(capsOn);
            num->setEnabled(numOn);
        }
    }
    return QObject::eventFilter(watched, event);
}
