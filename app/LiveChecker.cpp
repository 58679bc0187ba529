#include "LiveChecker.h"

#include <QSettings>

#include "CTarvelView.h"
#include "ValidationService.h"

namespace {

// Long enough not to run while a word is being typed, short enough to feel immediate.
constexpr int kPauseMs = 600;
const QString kEnabledKey = QStringLiteral("editor/liveChecking");

}  // namespace

LiveChecker::LiveChecker(CTarvelView* view) : QObject(view), view(view) {
    enabled = QSettings().value(kEnabledKey, true).toBool();
    pause.setSingleShot(true);
    pause.setInterval(kPauseMs);
    connect(&pause, &QTimer::timeout, this, &LiveChecker::Start);
    connect(view, &CTarvelView::Edited, this, &LiveChecker::OnEdited);
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
        view->Validator()->DiscardLive();
    }
}

void LiveChecker::SetDelay(int milliseconds) { pause.setInterval(milliseconds); }

void LiveChecker::OnEdited() {
    // Whatever is still running checks text that no longer exists.
    view->Validator()->DiscardLive();
    if (enabled) pause.start();
}

void LiveChecker::Start() {
    pause.stop();
    // The Validate command underway is checking this very text, since no key reaches the
    // editor while it runs; a second run of a script that never ends would only hold a core.
    if (view->Validator()->IsCommandRunning()) return;
    view->Validator()->RunLive(view->EngineBytes());
}

void LiveChecker::OnFinished(std::shared_ptr<const ValidationResult> result) {
    if (!enabled) return;
    view->ShowOutcome(*result, false);
    emit Checked(std::move(result));
}
