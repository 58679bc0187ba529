#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>

#include "CMainFrame.h"
#include "CTarvelApp.h"
#include "CTarvelDoc.h"
#include "CTarvelView.h"
#include "RecoveryCopier.h"
#include "RecoveryStore.h"

// The document's file as the window shows it: title, recent files, dropped files, the
// question before closing, and the recovery copies that keep unsaved text.

namespace {

// The first file among dragged data, or an empty string when there is none.
QString DroppedFile(const QMimeData* data) {
    if (!data->hasUrls()) return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) return url.toLocalFile();
    }
    return {};
}

}  // namespace

void CMainFrame::connectDocument() {
    connect(document, &CTarvelDoc::TitleChanged, this, &CMainFrame::updateTitle);
    connect(view->document(), &QTextDocument::modificationChanged, this, &CMainFrame::updateTitle);
    connect(document, &CTarvelDoc::PathNameChanged, app->RecentFiles(), &RecentFileList::Add);
    connect(app->RecentFiles(), &RecentFileList::Changed, this, &CMainFrame::updateRecentFileMenu);
    updateRecentFileMenu(app->RecentFiles()->Files());
    updateTitle();
}

void CMainFrame::updateTitle() {
    const QString unsaved = document->IsModified() ? QStringLiteral("*") : QString();
    setWindowTitle(tr("%1%2 - Tarvel").arg(document->GetTitle(), unsaved));
}

void CMainFrame::updateRecentFileMenu(const QStringList& files) {
    recentFileAct->setVisible(files.isEmpty());
    for (int slot = 0; slot < RecentFileList::kSize; ++slot) {
        QAction* recent = recentFileActs[static_cast<std::size_t>(slot)];
        recent->setVisible(slot < files.size());
        if (slot >= files.size()) continue;
        recent->setText(QStringLiteral("&%1 %2").arg(slot + 1).arg(QDir::toNativeSeparators(files[slot])));
        recent->setData(files[slot]);
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (document->SaveModified()) {
        dropRecoveryCopy();
        event->accept();
    } else {
        event->ignore();
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    activateWindow();
    // Opening validates and shows a modal dialog; the drag source must not wait for that.
    QTimer::singleShot(0, this, [this, path] { app->OpenDocumentFile(path); });
}

void CMainFrame::createRecovery() {
    recoveryCopier = new RecoveryCopier(document, view);
    // Before the program ends without asking, the text goes where the next start finds it.
    connect(view, &CTarvelView::ForcedExit, this, &CMainFrame::WriteRecoveryCopy);
    // Saved, reverted or replaced by another file: nothing is left to recover. A new text
    // comes in without a change of the modified flag, but always with a new title.
    const auto dropWhenSaved = [this] {
        if (!document->IsModified()) dropRecoveryCopy();
    };
    connect(view->document(), &QTextDocument::modificationChanged, this, dropWhenSaved);
    connect(document, &CTarvelDoc::TitleChanged, this, dropWhenSaved);
}

void CMainFrame::WriteRecoveryCopy() {
    if (!document->IsModified()) {
        dropRecoveryCopy();
        return;
    }
    // A periodic copy underway holds older text; it must not land after this one.
    recoveryCopier->Stop();
    RecoveryStore::Write({document->GetPathName(), view->EditorText()});
}

void CMainFrame::dropRecoveryCopy() {
    // A periodic copy still being written would put the copy back after it was removed.
    recoveryCopier->Stop();
    RecoveryStore::Remove();
}

bool CMainFrame::OfferRecovery() {
    const std::optional<RecoveryStore::Copy> copy = RecoveryStore::Read();
    if (!copy) return false;
    const QString name = copy->path.isEmpty() ? tr("Untitled") : QDir::toNativeSeparators(copy->path);
    QMessageBox question(QMessageBox::Question, tr("Tarvel"),
                         tr("Tarvel ended before the changes to %1 were saved.\nRestore them?").arg(name),
                         QMessageBox::Yes | QMessageBox::No, this);
    // The name the end-to-end tests answer it by.
    question.setObjectName(QStringLiteral("recoveryQuestion"));
    if (question.exec() != QMessageBox::Yes) {
        dropRecoveryCopy();
        return false;
    }
    document->RestoreRecovered(copy->path, copy->text);
    return true;
}
