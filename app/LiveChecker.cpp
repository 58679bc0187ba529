#include "LiveChecker.h"

#include <QSettings>

#include "CTarvelView.h"
#include "TextBytesCollector.h"
#include "ValidationService.h"

namespace {

// Long enough not to run while a word is being typed, short enough to feel immediate.
constexpr int kPauseMs = 600;
const QString kEnabledKey = QStringLiteral("editor/liveChecking");

}  // namespace

LiveChecker::LiveChecker(CTarvelView* view) : QObject(view), view(view), collector(new TextBytesCollector(this)) {
    enabled = QSettings().value(kEnabledKey, true).toBool();
    pause.setSingleShot(true);
    pause.setInterval(kPauseMs);
    connect(&pause, &QTimer::timeout, this, &LiveChecker::Start);
    connect(view, &CTarvelView::Edited, this, &LiveChecker::OnEdited);
    connect(collector, &TextBytesCollector::Collected, this, &LiveChecker::OnCollected);
    connect(view->Validator(), &ValidationService::LiveFinished, this, &LiveChecker::OnFinished);
}

bool LiveChecker::IsEnabled() const { return enabled; }

void LiveChecker::SetEnabled(bool on) {
    if (on == enabled) return;
    enabled = on;
    QSettings().setValue(kEnabledKey, on);
    if (enabled) {
        Start();
    } else {
        pause.stop();
        collector->Stop();
        view->Validator()->DiscardLive();
    }
}

void LiveChecker::SetDelay(int milliseconds) { pause.setInterval(milliseconds); }

void LiveChecker::OnEdited() {
    // Whatever is still running checks text that no longer exists.
    collector->Stop();
    view->Validator()->DiscardLive();
    if (enabled) pause.start();
}

void LiveChecker::Start() {
    pause.stop();
    // The Validate command underway is checking this very text, since no key reaches the
    // editor while it runs; a second run of a script that never ends would only hold a core.
    if (view->Validator()->IsCommandRunning()) return;
    // Only the whole text is worth checking.
    view->FinishLoading();
    // Taking a large text out of the view at once would hold up the keys typed meanwhile.
    collector->Start(view->document(), {view->Encoding(), TextFormat::LineBreak::CrLf});
}

void LiveChecker::OnCollected(const QByteArray& bytes) {
    // A Validate command may have started while the text was being taken out.
    if (view->Validator()->IsCommandRunning()) return;
    view->Validator()->RunLive(bytes);
}

void LiveChecker::OnFinished(std::shared_ptr<const ValidationResult> result) {
    if (!enabled) return;
    view->ShowOutcome(*result, false);
    emit Checked(std::move(result));
}
