// CAP, NUM and SCRL light from the lock states a key event carries, a lock key's own press
// counting as the flip it is about to make.
#include <QKeyEvent>
#include <QLabel>
#include <QtTest>

#include "LockKeyIndicators.h"

namespace {

// X11's state bits as a key event carries them.
constexpr quint32 kLock = 0x02;
constexpr quint32 kControl = 0x04;
constexpr quint32 kMod1 = 0x08;
constexpr quint32 kMod2 = 0x10;

using Source = LockKeyIndicators::Source;

}  // namespace

Q_DECLARE_METATYPE(LockKeyIndicators::Source)

class LockKeyIndicatorsTest : public QObject {
    Q_OBJECT

    quint64 timestamp = 0;

    // One real key press: a fresh timestamp, as the window system gives every event.
    void Press(QWidget* target, int key, quint32 state) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, 0, 0, state);
        press.setTimestamp(++timestamp);
        QApplication::sendEvent(target, &press);
    }

private slots:
    void indicatorsFollowTheStateOfEachKey_data() {
        QTest::addColumn<Source>("source");
        QTest::addColumn<quint32>("state");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("capsLit");
        QTest::addColumn<bool>("numLit");
        QTest::newRow("no lock") << Source::KeyStates << 0u << int(Qt::Key_A) << false << false;
        QTest::newRow("caps lock on") << Source::KeyStates << kLock << int(Qt::Key_A) << true << false;
        QTest::newRow("num lock on") << Source::KeyStates << kMod2 << int(Qt::Key_A) << false << true;
        QTest::newRow("control and alt are no locks")
            << Source::KeyStates << (kControl | kMod1) << int(Qt::Key_A) << false << false;
        QTest::newRow("caps lock pressed turns it on")
            << Source::KeyStates << 0u << int(Qt::Key_CapsLock) << true << false;
        QTest::newRow("caps lock pressed turns it off")
            << Source::KeyStates << (kLock | kMod2) << int(Qt::Key_CapsLock) << false << true;
        QTest::newRow("num lock pressed turns it off")
            << Source::KeyStates << kMod2 << int(Qt::Key_NumLock) << false << false;
        QTest::newRow("states unknown stay unlit")
            << Source::Unknown << (kLock | kMod2) << int(Qt::Key_A) << false << false;
    }
    void indicatorsFollowTheStateOfEachKey() {
        QFETCH(Source, source);
        QFETCH(quint32, state);
        QFETCH(int, key);
        QFETCH(bool, capsLit);
        QFETCH(bool, numLit);
        QWidget window;
        QLabel caps("CAP", &window);
        QLabel num("NUM", &window);
        QLabel scroll("SCRL", &window);
        // Where the key states are read, each indicator starts wrong so that one left alone
        // fails; elsewhere they start unlit, as the window shows them.
        const bool known = source == Source::KeyStates;
        caps.setEnabled(known && !capsLit);
        num.setEnabled(known && !numLit);
        scroll.setEnabled(false);
        LockKeyIndicators indicators(&caps, &num, &scroll, source, nullptr);
        Press(&window, key, state);
        QCOMPARE(caps.isEnabled(), capsLit);
        QCOMPARE(num.isEnabled(), numLit);
        QVERIFY(!scroll.isEnabled());
    }

    // Scroll Lock is no state bit: each press flips it, once however many widgets the unused
    // key passes on its way up to the window.
    void scrollLockFlipsOncePerPress() {
        QWidget window;
        auto* inner = new QWidget(&window);
        auto* innermost = new QWidget(inner);
        QLabel caps("CAP", &window);
        QLabel num("NUM", &window);
        QLabel scroll("SCRL", &window);
        scroll.setEnabled(false);
        LockKeyIndicators indicators(&caps, &num, &scroll, Source::KeyStates, nullptr);
        Press(innermost, Qt::Key_ScrollLock, 0);
        QVERIFY(scroll.isEnabled());
        Press(innermost, Qt::Key_A, 0);
        QVERIFY(scroll.isEnabled());
        Press(inner, Qt::Key_ScrollLock, 0);
        QVERIFY(!scroll.isEnabled());
    }
};

QTEST_MAIN(LockKeyIndicatorsTest)

#include "LockKeyIndicatorsTest.moc"
