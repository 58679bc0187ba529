#include "RecoveryCopier.h"

#include "CTarvelDoc.h"
#include "CTarvelView.h"
#include "RecoveryStore.h"
#include "TextBytesCollector.h"

namespace {

// How often unsaved text is copied aside: at most this much typing is lost in a crash.
constexpr int kIntervalMs = 30000;
// Taking a large text out spans many keystrokes, and each one abandons the copy; waiting a
// whole period after each would leave a steady typist without a copy for minutes.
constexpr int kRetryAfterEditMs = 2000;

// The period, unless TARVEL_RECOVERY_INTERVAL_MS gives one in milliseconds: a test hook, so
// that an end-to-end test gets its copy without waiting half a minute.
int IntervalMs() {
    bool ok = false;
    const int fromEnvironment = qEnvironmentVariableIntValue("TARVEL_RECOVERY_INTERVAL_MS", &ok);
    return ok && fromEnvironment > 0 ? fromEnvironment : kIntervalMs;
}

}  // namespace

RecoveryCopier::RecoveryCopier(CTarvelDoc* document, CTarvelView* view)
    : QObject(view),
      document(document),
      view(view),
      collector(new TextBytesCollector(this)),
      writeCopy([](const QString& file, const QString& path, const QByteArray& text) {
          return RecoveryStore::Write(file, path, text);
      }) {
    connect(&period, &QTimer::timeout, this, &RecoveryCopier::CopyNow);
    retry.setSingleShot(true);
    connect(&retry, &QTimer::timeout, this, &RecoveryCopier::CopyNow);
    connect(collector, &TextBytesCollector::Collected, this, &RecoveryCopier::OnCollected);
    connect(collector, &TextBytesCollector::Abandoned, this, [this] { retry.start(kRetryAfterEditMs); });
    period.start(IntervalMs());
}

RecoveryCopier::~RecoveryCopier() { JoinWriter(); }

void RecoveryCopier::CopyNow() {
    // A copy still on its way to a slow disk is not worth queueing another behind.
    if (!document->IsModified() || IsCopying()) return;
    // The copy keeps the text as typed, whatever the file's encoding and line breaks: those
    // are applied when the user saves it.
    collector->Start(view->document(), {TextFormat::Encoding::Utf8, TextFormat::LineBreak::Lf});
}

void RecoveryCopier::Stop() {
    retry.stop();
    collector->Stop();
    JoinWriter();
}

bool RecoveryCopier::IsCopying() const { return collector->IsCollecting() || writing; }

void RecoveryCopier::SetInterval(int milliseconds) { period.start(milliseconds); }

void RecoveryCopier::SetSliceLength(int characters) { collector->SetSliceLength(characters); }

void RecoveryCopier::SetWriter(Writer write) {
    // A thread underway may be calling the one it replaces.
    JoinWriter();
    writeCopy = std::move(write);
}

void RecoveryCopier::OnCollected(const QByteArray& text) {
    // The writer of the last period is done, as writing is clear; its thread still has to be
    // reclaimed.
    JoinWriter();
    writing = true;
    // Where the copy goes is looked up here: the data folder's name comes from the
    // application object, which belongs to this thread.
    writer = std::thread([this, file = RecoveryStore::FilePath(), path = document->GetPathName(), text] {
        const bool ok = writeCopy(file, path, text);
        writing = false;
        QMetaObject::invokeMethod(
            this, [this, ok] { emit Written(ok); }, Qt::QueuedConnection);
    });
}

void RecoveryCopier::JoinWriter() {
    if (writer.joinable()) writer.join();
}
