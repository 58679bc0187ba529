// The editor with a 10 MiB script: opening, validating, typing and memory, measured through
// the real main window on the offscreen platform. Figures go to the log; nothing is asserted.
// TARVEL_BENCH_SCRIPT names the script to open (gen_script.py writes ordinary ones); without
// it a script of short repeated lines is generated.
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>
#include <algorithm>
#include <fstream>
#include <functional>
#include <malloc.h>
#include <vector>

#include "CMainFrame.h"
#include "CResultDlg.h"
#include "CTarvelApp.h"
#include "CTarvelDoc.h"
#include "CTarvelView.h"
#include "DocumentText.h"
#include "LiveChecker.h"
#include "RecoveryCopier.h"
#include "ValidationService.h"

namespace {

constexpr qsizetype kScriptBytes = 10 * 1024 * 1024;

// Resident memory of the process in bytes.
qint64 ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long long pages = 0;
    long long resident = 0;
    statm >> pages >> resident;
    return resident * 4096;
}

// Bytes the program holds on the heap now, freed blocks the allocator keeps not counted.
qint64 AllocatedBytes() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<qint64>(info.uordblks + info.hblkhd);
}

QByteArray LargeScript() {
    QByteArray script;
    script.reserve(kScriptBytes + 64);
    for (int k = 0; script.size() < kScriptBytes; ++k) {
        script += QStringLiteral("int v%1; v%1 = %1 * 2 + strlen(\"abc\"); // line %1\r\n").arg(k).toLatin1();
    }
    return script;
}

// Until the result dialog of the open command shows, then until the whole text is in the
// view, as it comes in while the dialog is up; then OK. Watching for the dialog's show event
// and looking at the view every few milliseconds keeps the main thread idle meanwhile.
class ResultDialogWatch : public QObject {
public:
    explicit ResultDialogWatch(CTarvelView* view) : view(view) {
        qApp->installEventFilter(this);
        clock.start();
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<CResultDlg*>(watched);
        if (dialog && event->type() == QEvent::Show && shownMs < 0) {
            shownMs = clock.elapsed();
            auto* poll = new QTimer(dialog);
            connect(poll, &QTimer::timeout, dialog, [this, dialog] {
                if (view->IsLoading()) return;
                loadedMs = clock.elapsed();
                dialog->accept();
            });
            poll->start(5);
        }
        return false;
    }
    qint64 shownMs = -1;   ///< from construction to the dialog, -1 until it showed
    qint64 loadedMs = -1;  ///< from construction to the whole text in the view

private:
    CTarvelView* view;
    QElapsedTimer clock;
};

// Runs start inside an event loop ticking a 1 ms timer until start's work quits the loop;
// the longest gap between two ticks in milliseconds, which is what a key pressed then waits.
double LongestWait(const std::function<void(QEventLoop&)>& start) {
    QEventLoop loop;
    QElapsedTimer sinceTick;
    double longest = 0;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        longest = std::max(longest, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6);
        sinceTick.restart();
    });
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    QTimer::singleShot(0, &loop, [&] { start(loop); });
    sinceTick.start();
    tick.start();
    limit.start(60000);
    loop.exec();
    // Work that never returns to the loop lets no tick through: the gap up to the loop's end
    // counts as well.
    return std::max(longest, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

class EditorBench : public QObject {
    Q_OBJECT

    CMainFrame* frame = nullptr;
    QTemporaryDir dir;
    QString path;

private slots:
    void initTestCase() {
        frame = static_cast<CTarvelApp*>(qApp)->MainFrame();
        frame->Checker()->SetEnabled(false);
        path = qEnvironmentVariable("TARVEL_BENCH_SCRIPT");
        if (!path.isEmpty()) return;
        path = dir.filePath("large.c");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(LargeScript());
    }

    // The File Open command as the user gives it, up to the result dialog on screen.
    void openAndValidate() {
        const qint64 before = ResidentBytes();
        const qint64 allocatedBefore = AllocatedBytes();
        QElapsedTimer clock;
        clock.start();
        const ResultDialogWatch watch(frame->View());
        QVERIFY(static_cast<CTarvelApp*>(qApp)->OpenDocumentFile(path));
        const qint64 commandMs = clock.elapsed();
        QVERIFY(watch.shownMs >= 0);
        QCoreApplication::processEvents();
        const qint64 afterOpen = ResidentBytes();
        const qint64 fileBytes = QFileInfo(path).size();

        CTarvelView* view = frame->View();
        qInfo("file %lld bytes, %d lines", static_cast<long long>(fileBytes), view->blockCount());
        qInfo("open command to result dialog: %lld ms; whole text in the view: %lld ms; command: %lld ms",
              static_cast<long long>(watch.shownMs), static_cast<long long>(watch.loadedMs),
              static_cast<long long>(commandMs));
        qInfo("editor memory for the text: %.1f MiB resident (%.1fx the file), %.1f MiB allocated (%.1fx)",
              (afterOpen - before) / 1048576.0,
              static_cast<double>(afterOpen - before) / static_cast<double>(fileBytes),
              (AllocatedBytes() - allocatedBefore) / 1048576.0,
              static_cast<double>(AllocatedBytes() - allocatedBefore) / static_cast<double>(fileBytes));

        clock.restart();
        const QByteArray bytes = view->EngineBytes();
        const qint64 encodeMs = clock.elapsed();
        clock.restart();
        const auto result = Validate(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
        const qint64 validateMs = clock.elapsed();
        qInfo("alone: engine bytes from the editor %lld ms; validation %lld ms (%s)", static_cast<long long>(encodeMs),
              static_cast<long long>(validateMs), result.message.substr(0, 60).c_str());
    }

    // The same steps one by one, to see which of them the time and the memory go to.
    void openStepByStep() {
        CTarvelView* view = frame->View();
        view->SetEditorText(QString());
        QCoreApplication::processEvents();
        QElapsedTimer clock;
        const auto step = [&clock](const char* name, qint64 residentBefore) {
            qInfo("  %-34s %6lld ms, %+7.1f MiB resident, %7.1f MiB allocated", name,
                  static_cast<long long>(clock.elapsed()), (ResidentBytes() - residentBefore) / 1048576.0,
                  AllocatedBytes() / 1048576.0);
            clock.restart();
        };
        qint64 resident = ResidentBytes();
        clock.start();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray raw = file.readAll();
        step("read the file", resident);
        resident = ResidentBytes();
        DecodedText decoded = DecodeText(raw);
        step("decode (line breaks, UTF-8)", resident);
        resident = ResidentBytes();
        view->SetEditorText(decoded.text);
        step("text into the view", resident);
        resident = ResidentBytes();
        QCoreApplication::processEvents();
        view->viewport()->repaint();
        step("first paint", resident);
        raw.clear();
        raw.squeeze();
        decoded.text.clear();
        decoded.text.squeeze();
        resident = ResidentBytes();
        const QString text = view->EditorText();
        step("editor text out of the view", resident);
        resident = ResidentBytes();
        const QByteArray bytes = EncodeText(text, decoded.format.encoding, TextFormat::LineBreak::CrLf);
        step("encode for the engine", resident);
        QVERIFY(bytes.size() > kScriptBytes);
    }

    void typing() {
        CTarvelView* view = frame->View();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        QTextCursor middle(view->document()->findBlockByNumber(view->blockCount() / 2));
        view->setTextCursor(middle);
        // Whatever moving there left to do is not the keys' doing.
        QCoreApplication::processEvents();
        view->viewport()->repaint();
        std::vector<double> delays;
        const qint64 allocatedBefore = AllocatedBytes();
        QElapsedTimer clock;
        for (int k = 0; k < 50; ++k) {
            clock.restart();
            QTest::keyClick(view, Qt::Key_A);
            QCoreApplication::processEvents();
            view->viewport()->repaint();
            delays.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        }
        qInfo("keystroke to repaint, middle of the file: median %.2f ms, slowest %.2f ms (key %d)", Median(delays),
              *std::max_element(delays.begin(), delays.end()),
              static_cast<int>(std::max_element(delays.begin(), delays.end()) - delays.begin()) + 1);
        qInfo("heap in use after the 50 keys: %+.1f MiB", (AllocatedBytes() - allocatedBefore) / 1048576.0);

        // Edits across lines go through the text document's own layout of the changed blocks.
        QString block;
        for (int k = 0; k < 20; ++k) block += QStringLiteral("int pasted%1 = %1 * 3;\n").arg(k);
        QGuiApplication::clipboard()->setText(block);
        const auto timedKey = [&](const char* what, Qt::Key key, Qt::KeyboardModifiers modifiers) {
            clock.restart();
            QTest::keyClick(view, key, modifiers);
            QCoreApplication::processEvents();
            view->viewport()->repaint();
            qInfo("%s: %.2f ms", what, static_cast<double>(clock.nsecsElapsed()) / 1e6);
        };
        timedKey("Enter", Qt::Key_Return, Qt::NoModifier);
        timedKey("paste of 20 lines", Qt::Key_V, Qt::ControlModifier);
        timedKey("undo of the paste", Qt::Key_Z, Qt::ControlModifier);
        timedKey("redo of the paste", Qt::Key_Y, Qt::ControlModifier);
        view->moveCursor(QTextCursor::Down, QTextCursor::KeepAnchor);
        view->moveCursor(QTextCursor::Down, QTextCursor::KeepAnchor);
        timedKey("deleting a selection of two line breaks", Qt::Key_Delete, Qt::NoModifier);
    }

    // Every period while there are unsaved changes, the text goes aside as the recovery copy.
    // A key pressed meanwhile waits for whatever of that work the event loop does: the longest
    // gap between the ticks of a 1 ms timer from the start of a copy until it is on disk.
    void periodicRecoveryCopy() {
        QVERIFY(frame->Document()->IsModified());
        RecoveryCopier* copier = frame->Copier();
        std::vector<double> stalls;
        std::vector<double> durations;
        for (int k = 0; k < 5; ++k) {
            QElapsedTimer clock;
            clock.start();
            bool written = false;
            const double longest = LongestWait([&](QEventLoop& loop) {
                connect(copier, &RecoveryCopier::Written, &loop, [&] {
                    written = true;
                    loop.quit();
                });
                copier->CopyNow();
            });
            QVERIFY(written);
            durations.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
            stalls.push_back(longest);
        }
        qInfo(
            "periodic recovery copy: longest wait of the event loop median %.2f ms, slowest %.2f ms; "
            "copy on disk after %.0f ms (median of %zu)",
            Median(stalls), *std::max_element(stalls.begin(), stalls.end()), Median(durations), stalls.size());
    }

    // With checking while typing on, a key pressed while a check starts or ends waits for that
    // work: the longest gap between the ticks of a 1 ms timer is what such a key waits at most.
    void typingWhileChecking() {
        CTarvelView* view = frame->View();
        LiveChecker* checker = frame->Checker();
        checker->SetEnabled(true);
        QEventLoop loop;
        int checks = 0;
        connect(checker, &LiveChecker::Checked, &loop, [&] {
            ++checks;
            loop.quit();
        });
        QElapsedTimer sinceTick;
        double longest = 0;
        QTimer tick;
        tick.setInterval(1);
        connect(&tick, &QTimer::timeout, &loop, [&] {
            longest = std::max(longest, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6);
            sinceTick.restart();
        });
        QTimer limit;
        limit.setSingleShot(true);
        connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        std::vector<double> stalls;
        for (int k = 0; k < 5; ++k) {
            QTest::keyClick(view, Qt::Key_B);
            longest = 0;
            sinceTick.start();
            tick.start();
            limit.start(60000);
            loop.exec();
            tick.stop();
            stalls.push_back(longest);
        }
        checker->SetEnabled(false);
        QString each;
        for (double stall : stalls) each += QString::number(stall, 'f', 1) + u' ';
        qInfo("checking as you type: longest wait of the event loop median %.2f ms, slowest %.2f ms (%d checks: %s)",
              Median(stalls), *std::max_element(stalls.begin(), stalls.end()), checks, qPrintable(each.trimmed()));
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    qputenv("XDG_DATA_HOME", settingsDir.filePath("data").toLocal8Bit());
    int appArgc = 1;
    CTarvelApp app(appArgc, argv);
    if (!app.InitInstance()) return 1;
    EditorBench bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "EditorBench.moc"
