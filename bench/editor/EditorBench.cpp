// The editor with a 10 MiB script: opening, validating, typing and memory, measured through
// the real main window on the offscreen platform. Figures go to the log; nothing is asserted.
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>
#include <algorithm>
#include <fstream>
#include <malloc.h>
#include <vector>

#include "CMainFrame.h"
#include "CTarvelApp.h"
#include "CTarvelDoc.h"
#include "CTarvelView.h"
#include "DocumentText.h"
#include "LiveChecker.h"
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
        path = dir.filePath("large.c");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(LargeScript());
    }

    void openAndValidate() {
        const qint64 before = ResidentBytes();
        QElapsedTimer clock;
        clock.start();
        QVERIFY(frame->Document()->OnOpenDocument(path));
        QCoreApplication::processEvents();
        const qint64 openMs = clock.elapsed();
        const qint64 afterOpen = ResidentBytes();

        CTarvelView* view = frame->View();
        clock.restart();
        const QByteArray bytes = view->EngineBytes();
        const qint64 encodeMs = clock.elapsed();
        clock.restart();
        const auto result = Validate(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
        const qint64 validateMs = clock.elapsed();
        qInfo("file %lld bytes, %d lines", static_cast<long long>(QFileInfo(path).size()), view->blockCount());
        qInfo("open (read, decode, lay out): %lld ms", static_cast<long long>(openMs));
        qInfo("engine bytes from the editor: %lld ms; validation: %lld ms (%s)", static_cast<long long>(encodeMs),
              static_cast<long long>(validateMs), result.message.substr(0, 60).c_str());
        qInfo("editor memory for the text: %.1f MiB (%.1fx the file)", (afterOpen - before) / 1048576.0,
              static_cast<double>(afterOpen - before) / static_cast<double>(QFileInfo(path).size()));
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
        std::vector<double> delays;
        QElapsedTimer clock;
        for (int k = 0; k < 50; ++k) {
            clock.restart();
            QTest::keyClick(view, Qt::Key_A);
            QCoreApplication::processEvents();
            view->viewport()->repaint();
            delays.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        }
        qInfo("keystroke to repaint, middle of the file: median %.2f ms, slowest %.2f ms", Median(delays),
              *std::max_element(delays.begin(), delays.end()));
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
